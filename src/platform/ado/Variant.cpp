#include "Variant.h"

#include "DateText.h"
#include "Error.h"

#include <QLocale>
#include <cmath>
#include <limits>

namespace ado {

namespace {

const QDate kDayZero(1899, 12, 30);

[[noreturn]] void raiseNull() { throw Error(kErrInvalidUseOfNull, QStringLiteral("Invalid use of Null")); }
[[noreturn]] void raiseMismatch() { throw Error(kErrTypeMismatch, QStringLiteral("Type mismatch")); }
[[noreturn]] void raiseOverflow() { throw Error(kErrOverflow, QStringLiteral("Overflow")); }

double dateToNumber(const QDateTime& d)
{
    const double days = double(kDayZero.daysTo(d.date()));
    const double fraction = d.time().msecsSinceStartOfDay() / 86400000.0;
    return days < 0 ? days - fraction : days + fraction;   // the original's negative dates count the time back
}

QDateTime numberToDate(double value)
{
    if (!std::isfinite(value) || std::fabs(value) > 3e6)
        raiseOverflow();
    const double whole = std::trunc(value);
    const qint64 msecs = qint64(std::llround(std::fabs(value - whole) * 86400000.0));
    QDateTime d = NaiveDateTime(kDayZero.addDays(qint64(whole)));
    return d.addMSecs(msecs);
}

// A number written as text: plain "." form first, then the default locale's form.
std::optional<double> textToNumber(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    double v = QLocale::c().toDouble(t, &ok);
    if (!ok)
        v = QLocale().toDouble(t, &ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

qint64 roundToLong(double v)
{
    // nearbyint rounds half to even in the default rounding mode.
    const double r = std::nearbyint(v);
    if (!(r >= -9223372036854775808.0 && r < 9223372036854775808.0))
        raiseOverflow();
    return qint64(r);
}

QString plainDouble(double v)
{
    return QString::number(v, 'g', 15);
}

QString withLocaleDecimal(QString text)
{
    const QString point = QLocale().decimalPoint();
    if (point != QLatin1String("."))
        text.replace(QLatin1Char('.'), point);
    return text;
}

} // namespace

VarType Variant::type() const
{
    return static_cast<VarType>(m_v.index());
}

bool Variant::isNumeric() const
{
    switch (type()) {
    case VarType::Empty:
    case VarType::Boolean:
    case VarType::Long:
    case VarType::Double:
    case VarType::Currency:
        return true;
    case VarType::String:
        return textToNumber(std::get<QString>(m_v)).has_value();
    case VarType::Null:
    case VarType::Date:
        return false;
    }
    return false;
}

bool Variant::toBool() const
{
    switch (type()) {
    case VarType::Empty: return false;
    case VarType::Null: raiseNull();
    case VarType::Boolean: return std::get<bool>(m_v);
    case VarType::Long: return std::get<qint64>(m_v) != 0;
    case VarType::Double: return std::get<double>(m_v) != 0.0;
    case VarType::Currency: return std::get<Currency>(m_v).scaled() != 0;
    case VarType::Date: return dateToNumber(std::get<QDateTime>(m_v)) != 0.0;
    case VarType::String: {
        const QString t = std::get<QString>(m_v).trimmed();
        if (t.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
            return true;
        if (t.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
            return false;
        if (auto n = textToNumber(t))
            return *n != 0.0;
        raiseMismatch();
    }
    }
    raiseMismatch();
}

qint64 Variant::toLong() const
{
    switch (type()) {
    case VarType::Empty: return 0;
    case VarType::Null: raiseNull();
    case VarType::Boolean: return std::get<bool>(m_v) ? -1 : 0;
    case VarType::Long: return std::get<qint64>(m_v);
    case VarType::Double: return roundToLong(std::get<double>(m_v));
    case VarType::Currency: return std::get<Currency>(m_v).rounded(0).scaled() / Currency::kScale;
    case VarType::Date: return roundToLong(dateToNumber(std::get<QDateTime>(m_v)));
    case VarType::String: {
        const QString t = std::get<QString>(m_v).trimmed();
        bool ok = false;
        const qint64 exact = t.toLongLong(&ok);
        if (ok)
            return exact;
        if (auto n = textToNumber(t))
            return roundToLong(*n);
        raiseMismatch();
    }
    }
    raiseMismatch();
}

double Variant::toDouble() const
{
    switch (type()) {
    case VarType::Empty: return 0.0;
    case VarType::Null: raiseNull();
    case VarType::Boolean: return std::get<bool>(m_v) ? -1.0 : 0.0;
    case VarType::Long: return double(std::get<qint64>(m_v));
    case VarType::Double: return std::get<double>(m_v);
    case VarType::Currency: return std::get<Currency>(m_v).toDouble();
    case VarType::Date: return dateToNumber(std::get<QDateTime>(m_v));
    case VarType::String:
        if (auto n = textToNumber(std::get<QString>(m_v)))
            return *n;
        raiseMismatch();
    }
    raiseMismatch();
}

Currency Variant::toCurrency() const
{
    switch (type()) {
    case VarType::Empty: return Currency();
    case VarType::Null: raiseNull();
    case VarType::Boolean: return Currency::fromLong(std::get<bool>(m_v) ? -1 : 0);
    case VarType::Long: {
        const qint64 v = std::get<qint64>(m_v);
        if (v > std::numeric_limits<qint64>::max() / Currency::kScale
            || v < std::numeric_limits<qint64>::min() / Currency::kScale)
            raiseOverflow();
        return Currency::fromLong(v);
    }
    case VarType::Double: return Currency::fromDouble(std::get<double>(m_v));
    case VarType::Currency: return std::get<Currency>(m_v);
    case VarType::Date: return Currency::fromDouble(dateToNumber(std::get<QDateTime>(m_v)));
    case VarType::String: {
        if (auto exact = Currency::parse(std::get<QString>(m_v)))
            return *exact;
        if (auto n = textToNumber(std::get<QString>(m_v)))
            return Currency::fromDouble(*n);
        raiseMismatch();
    }
    }
    raiseMismatch();
}

QDateTime Variant::toDate() const
{
    switch (type()) {
    case VarType::Empty: return NaiveDateTime(kDayZero);
    case VarType::Null: raiseNull();
    case VarType::Date: return std::get<QDateTime>(m_v);
    case VarType::String:
        if (auto d = ParseDateText(std::get<QString>(m_v)))
            return *d;
        raiseMismatch();
    case VarType::Boolean:
    case VarType::Long:
    case VarType::Double:
    case VarType::Currency:
        return numberToDate(toDouble());
    }
    raiseMismatch();
}

QString Variant::toString() const
{
    switch (type()) {
    case VarType::Empty: return QString();
    case VarType::Null: raiseNull();
    case VarType::Boolean: return std::get<bool>(m_v) ? QStringLiteral("True") : QStringLiteral("False");
    case VarType::Long: return QString::number(std::get<qint64>(m_v));
    case VarType::Double: return plainDouble(std::get<double>(m_v));
    case VarType::Currency: return std::get<Currency>(m_v).toString();
    case VarType::Date: {
        const QDateTime& d = std::get<QDateTime>(m_v);
        if (d.time() == QTime(0, 0))
            return d.date().toString(QStringLiteral("yyyy-MM-dd"));
        return IsoDateText(d);
    }
    case VarType::String: return std::get<QString>(m_v);
    }
    return QString();
}

QString Variant::toText() const
{
    switch (type()) {
    case VarType::Empty:
    case VarType::Null:
        return QString();
    case VarType::Double: return withLocaleDecimal(plainDouble(std::get<double>(m_v)));
    case VarType::Currency: return withLocaleDecimal(std::get<Currency>(m_v).toString());
    case VarType::Date: {
        const QDateTime& d = std::get<QDateTime>(m_v);
        QString text = d.date().toString(QStringLiteral("dd/MM/yyyy"));
        if (d.time() != QTime(0, 0))
            text += QLatin1Char(' ') + d.time().toString(QStringLiteral("HH:mm:ss"));
        return text;
    }
    case VarType::Boolean:
    case VarType::Long:
    case VarType::String:
        return toString();
    }
    return QString();
}

bool Variant::operator==(const Variant& o) const
{
    const VarType a = type();
    const VarType b = o.type();
    const auto number = [](VarType t) {
        return t == VarType::Boolean || t == VarType::Long || t == VarType::Double || t == VarType::Currency;
    };
    if (number(a) && number(b) && a != b) {
        if (a == VarType::Double || b == VarType::Double)
            return toDouble() == o.toDouble();
        if (a == VarType::Currency || b == VarType::Currency)
            return toCurrency() == o.toCurrency();
        return toLong() == o.toLong();
    }
    if (a != b)
        return false;
    if (a == VarType::Date) {
        const QDateTime& x = std::get<QDateTime>(m_v);
        const QDateTime& y = std::get<QDateTime>(o.m_v);
        return x.date() == y.date() && x.time() == y.time();
    }
    return m_v == o.m_v;
}

} // namespace ado
