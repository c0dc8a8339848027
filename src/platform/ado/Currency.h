#pragma once
// Fixed-point money value: a 64-bit integer scaled by 10^4, as the suite's server stores amounts.

#include <QString>
#include <QtGlobal>
#include <compare>
#include <limits>
#include <optional>
#include <string_view>

namespace ado {

class Currency {
public:
    static constexpr qint64 kScale = 10000;

    constexpr Currency() = default;
    static constexpr Currency fromScaled(qint64 scaled) { Currency c; c.m_scaled = scaled; return c; }
    // Raises Error 6 when the units are beyond the range.
    static Currency fromLong(qint64 units)
    {
        qint64 r = 0;
        if (__builtin_mul_overflow(units, kScale, &r))
            RaiseCurrencyOverflow();
        return fromScaled(r);
    }
    // Rounds half to even at the fourth decimal, as the server's money conversion does. The double is taken
    // as its shortest decimal text (0.1 + 0.2 gives 0.3). Raises Error 6 when out of range or not a number.
    static Currency fromDouble(double value);
    // Exact decimal text ("-1234.5", "12", "0.0001"; "1e3" and "1,5" are refused); blanks around are ignored;
    // digits past the fourth decimal round half to even. Empty when the text is no number or out of range.
    static std::optional<Currency> parse(const QString& text);
    static std::optional<Currency> parseAscii(std::string_view text);   // the same on 8-bit text

    constexpr qint64 scaled() const { return m_scaled; }
    double toDouble() const { return double(m_scaled) / kScale; }
    // Plain decimal text without trailing zeros and without thousands separators ("1234.5", "-0.01", "0").
    QString toString() const;
    // Rounds half to even to the given number of decimals (0..4).
    Currency rounded(int decimals) const;

    // Sums and differences are exact; one past the range raises Error 6 (overflow) rather than wrap.
    constexpr Currency operator-() const
    {
        if (m_scaled == std::numeric_limits<qint64>::min())
            RaiseCurrencyOverflow();
        return fromScaled(-m_scaled);
    }
    constexpr Currency operator+(Currency o) const { return fromScaled(checkedSum(m_scaled, o.m_scaled)); }
    constexpr Currency operator-(Currency o) const { return fromScaled(checkedDifference(m_scaled, o.m_scaled)); }
    Currency& operator+=(Currency o) { m_scaled = checkedSum(m_scaled, o.m_scaled); return *this; }
    Currency& operator-=(Currency o) { m_scaled = checkedDifference(m_scaled, o.m_scaled); return *this; }
    constexpr auto operator<=>(const Currency&) const = default;

private:
    [[noreturn]] static void RaiseCurrencyOverflow();
    static constexpr qint64 checkedSum(qint64 a, qint64 b)
    {
        qint64 r = 0;
        if (__builtin_add_overflow(a, b, &r))
            RaiseCurrencyOverflow();
        return r;
    }
    static constexpr qint64 checkedDifference(qint64 a, qint64 b)
    {
        qint64 r = 0;
        if (__builtin_sub_overflow(a, b, &r))
            RaiseCurrencyOverflow();
        return r;
    }

    qint64 m_scaled = 0;
};

} // namespace ado
