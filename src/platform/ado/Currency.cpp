#include "Currency.h"

#include "Error.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace ado {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

// True when a value whose dropped part compares to one half as `cmp` (-1 below, 0 equal, 1 above) must
// round away from zero, given the parity of the kept part.
bool roundsUp(int cmp, bool keptIsOdd) { return cmp > 0 || (cmp == 0 && keptIsOdd); }

} // namespace

std::optional<Currency> Currency::parseAscii(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Magnitude accumulated as a positive number of ten-thousandths; one more than qint64's maximum is
    // allowed so that the most negative value parses.
    constexpr quint64 limit = quint64(std::numeric_limits<qint64>::max()) + 1;
    quint64 magnitude = 0;
    int digits = 0;
    int decimals = -1;          // -1 before the point
    int firstDropped = -1;      // first digit past the fourth decimal
    bool droppedNonZeroAfterFirst = false;
    for (char c : text) {
        if (c == '.') {
            if (decimals >= 0)
                return std::nullopt;
            decimals = 0;
            continue;
        }
        if (c < '0' || c > '9')
            return std::nullopt;
        ++digits;
        if (decimals >= 4) {
            if (firstDropped < 0)
                firstDropped = c - '0';
            else if (c != '0')
                droppedNonZeroAfterFirst = true;
            continue;
        }
        if (magnitude > (limit - quint64(c - '0')) / 10)
            return std::nullopt;
        magnitude = magnitude * 10 + quint64(c - '0');
        if (decimals >= 0)
            ++decimals;
    }
    if (digits == 0)
        return std::nullopt;
    for (int d = decimals < 0 ? 0 : decimals; d < 4; ++d) {
        if (magnitude > limit / 10)
            return std::nullopt;
        magnitude *= 10;
    }
    if (firstDropped >= 0) {
        const int cmp = firstDropped > 5 ? 1 : firstDropped < 5 ? -1 : (droppedNonZeroAfterFirst ? 1 : 0);
        if (roundsUp(cmp, magnitude % 2 == 1))
            ++magnitude;
    }
    if (magnitude > limit || (!negative && magnitude == limit))
        return std::nullopt;
    return fromScaled(negative ? qint64(0 - magnitude) : qint64(magnitude));
}

std::optional<Currency> Currency::parse(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() > 0x7f)
            return std::nullopt;
    }
    const QByteArray ascii = text.toLatin1();
    return parseAscii(std::string_view(ascii.constData(), size_t(ascii.size())));
}

void Currency::RaiseCurrencyOverflow()
{
    throw Error(kErrOverflow, QStringLiteral("Overflow"));
}

Currency Currency::fromDouble(double value)
{
    if (std::fabs(value) < 1e9) {
        // Quick road: well inside the range and clearly away from a half unit, the product rounds to what
        // the decimal text would.
        const double units = value * double(kScale);
        const double nearest = std::nearbyint(units);
        if (std::fabs(units - nearest) < 0.25)
            return fromScaled(qint64(nearest));
    }
    if (std::isfinite(value)) {
        // The shortest fixed text that reads back as the same double: the decimal the value was meant to be.
        std::array<char, 400> buffer;
        const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                          std::chars_format::fixed);
        if (result.ec == std::errc()) {
            if (auto c = parseAscii(std::string_view(buffer.data(), size_t(result.ptr - buffer.data()))))
                return *c;
        }
    }
    RaiseCurrencyOverflow();
}

QString Currency::toString() const
{
    const bool negative = m_scaled < 0;
    const quint64 magnitude = negative ? 0 - quint64(m_scaled) : quint64(m_scaled);
    QString text = QString::number(magnitude / kScale);
    quint64 fraction = magnitude % kScale;
    if (fraction != 0) {
        QString decimals = QString::number(fraction).rightJustified(4, QLatin1Char('0'));
        while (decimals.endsWith(QLatin1Char('0')))
            decimals.chop(1);
        text += QLatin1Char('.') + decimals;
    }
    return negative ? QLatin1Char('-') + text : text;
}

Currency Currency::rounded(int decimals) const
{
    if (decimals >= 4)
        return *this;
    qint64 unit = 1;
    for (int d = qMax(decimals, 0); d < 4; ++d)
        unit *= 10;
    qint64 kept = m_scaled / unit;          // truncated towards zero
    const qint64 rest = m_scaled % unit;    // same sign as m_scaled
    const qint64 twice = (rest < 0 ? -rest : rest) * 2;
    const int cmp = twice > unit ? 1 : twice < unit ? -1 : 0;
    if (rest != 0 && roundsUp(cmp, kept % 2 != 0))
        kept += m_scaled < 0 ? -1 : 1;
    return fromScaled(kept * unit);
}

} // namespace ado
