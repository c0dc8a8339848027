#include "DateText.h"

namespace ado {

namespace {

class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}

    bool atEnd() const { return m_pos >= m_text.size(); }
    char peek() const { return atEnd() ? '\0' : m_text[m_pos]; }
    bool take(char c)
    {
        if (peek() != c)
            return false;
        ++m_pos;
        return true;
    }
    // Reads between minDigits and maxDigits digits; -1 when fewer are there.
    int number(int minDigits, int maxDigits, int* count = nullptr)
    {
        int value = 0;
        int n = 0;
        while (n < maxDigits && !atEnd() && peek() >= '0' && peek() <= '9') {
            value = value * 10 + (m_text[m_pos++] - '0');
            ++n;
        }
        if (count)
            *count = n;
        return n >= minDigits ? value : -1;
    }
    void skipDigits()
    {
        while (!atEnd() && peek() >= '0' && peek() <= '9')
            ++m_pos;
    }

private:
    std::string_view m_text;
    size_t m_pos = 0;
};

std::optional<QTime> readTime(Reader& r)
{
    const int hour = r.number(1, 2);
    if (hour < 0 || !r.take(':'))
        return std::nullopt;
    const int minute = r.number(2, 2);
    if (minute < 0)
        return std::nullopt;
    int second = 0;
    int msec = 0;
    if (r.take(':')) {
        second = r.number(2, 2);
        if (second < 0)
            return std::nullopt;
        if (r.take('.')) {
            int count = 0;
            msec = r.number(1, 3, &count);
            if (msec < 0)
                return std::nullopt;
            for (; count < 3; ++count)
                msec *= 10;
            r.skipDigits();
        }
    }
    QTime t(hour, minute, second, msec);
    if (!t.isValid())
        return std::nullopt;
    return t;
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

} // namespace

QDateTime NaiveDateTime(QDate date, QTime time)
{
    return QDateTime(date, time, Qt::UTC);
}

std::optional<QDateTime> ParseDateText(std::string_view text)
{
    Reader r(trimmed(text));
    int first = 0;
    const int a = r.number(1, 4, &first);
    if (a < 0)
        return std::nullopt;
    QDate date;
    if (first == 4 && r.take('-')) {
        const int month = r.number(1, 2);
        if (month < 0 || !r.take('-'))
            return std::nullopt;
        const int day = r.number(1, 2);
        if (day < 0)
            return std::nullopt;
        date = QDate(a, month, day);
    } else if (first <= 2 && r.take('/')) {
        const int month = r.number(1, 2);
        if (month < 0 || !r.take('/'))
            return std::nullopt;
        int yearDigits = 0;
        int year = r.number(2, 4, &yearDigits);
        if (year < 0 || yearDigits == 3)
            return std::nullopt;
        if (yearDigits == 2)
            year += year < 30 ? 2000 : 1900;
        date = QDate(year, month, a);
    } else {
        return std::nullopt;
    }
    if (!date.isValid())
        return std::nullopt;
    QTime time(0, 0);
    if (!r.atEnd()) {
        if (!r.take(' ') && !r.take('T'))
            return std::nullopt;
        while (r.take(' ')) {
        }
        auto t = readTime(r);
        if (!t || !r.atEnd())
            return std::nullopt;
        time = *t;
    }
    return NaiveDateTime(date, time);
}

std::optional<QDateTime> ParseDateText(const QString& text)
{
    const QByteArray latin = text.toLatin1();
    return ParseDateText(std::string_view(latin.constData(), size_t(latin.size())));
}

QString IsoDateText(const QDateTime& value)
{
    return value.date().toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ')
        + value.time().toString(QStringLiteral("HH:mm:ss"));
}

} // namespace ado
