#pragma once
// Reads a number as lists, fields and the money format show it: blanks around, a sign in front or behind
// (or the amount in parentheses), thousands separators and one decimal separator, "." or ",".
//
// Which separator is the decimal one: with both present, the last one; with one of them once, it is the
// decimal separator when it is the locale's, or when it does not stand where a thousands separator would
// (1 to 3 digits before it, exactly 3 after it, and those before it not all zeros); a separator that comes
// several times groups thousands. A leading group of 0 is never a thousands group: "0,150" and "0.150" are
// 0.15 everywhere, and "0,150,000" is no number.
// So "1.234,56", "1,234.56", "1234,5" and "1234.5" read alike in any locale, and "1.234" is 1234 where
// "," is the decimal separator and 1.234 where "." is.

#include <QLocale>
#include <QString>
#include <optional>

namespace suite {

struct NumeroLeido {
    bool negativo = false;
    QString entero;     // digits only, at least "0"
    QString decimales;  // digits only, may be empty
};

// A blank text reads as zero; a text that is not a number gives nullopt.
std::optional<NumeroLeido> LeerNumero(const QString& texto, const QLocale& locale = QLocale());

// The number rounded half to even at the fourth decimal, scaled by 10^4; nullopt when it does not fit.
std::optional<qint64> EscaladoDiezMil(const NumeroLeido& numero);

} // namespace suite
