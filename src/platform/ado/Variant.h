#pragma once
// The value of a field or of a loosely typed argument: Empty, Null, Boolean, Long, Double, Currency, Date
// or String. Conversions of Null raise Error 94, as the original runtime did.

#include "Currency.h"

#include <QDateTime>
#include <QString>
#include <variant>

namespace ado {

enum class VarType { Empty, Null, Boolean, Long, Double, Currency, Date, String };

class Variant {
public:
    Variant() = default;                       // Empty
    Variant(bool v) : m_v(v) {}
    Variant(int v) : m_v(qint64(v)) {}
    Variant(qint64 v) : m_v(v) {}
    Variant(double v) : m_v(v) {}
    Variant(Currency v) : m_v(v) {}
    Variant(const QDateTime& v) : m_v(v) {}
    Variant(const QDate& v) : m_v(QDateTime(v, QTime(0, 0), Qt::UTC)) {}   // dates are naive (DateText.h)
    Variant(const QString& v) : m_v(v) {}
    Variant(const char* v) : m_v(QString::fromUtf8(v)) {}
    static Variant Null() { Variant v; v.m_v = NullTag{}; return v; }

    VarType type() const;
    bool isEmpty() const { return type() == VarType::Empty; }
    bool isNull() const { return type() == VarType::Null; }
    // As the original runtime's IsNumeric: Boolean, Long, Double, Currency, Empty, and text that reads as a
    // number; not Null, not a date.
    bool isNumeric() const;

    // Strict conversions: Null raises Error 94, text that does not convert raises Error 13, a number out of
    // range raises Error 6. Empty converts to False, 0, "" and 1899-12-30 (the day numbered 0); True is -1.
    // Text reads as a number in plain "." form or in the default locale's form; as a date in the forms of
    // DateText.h. Dates convert to numbers as days since 1899-12-30.
    bool toBool() const;
    qint64 toLong() const;          // rounds half to even, like CLng
    double toDouble() const;
    Currency toCurrency() const;
    QDateTime toDate() const;
    QString toString() const;       // Empty gives ""; numbers in plain "." form; dates ISO; True/False

    // The text the program writes into pages and lists: Null and Empty give "", numbers without
    // thousands separators and trailing zeros with the default locale's decimal separator (doubles to 15
    // significant digits), dates as dd/MM/yyyy followed by " HH:mm:ss" when not midnight.
    QString toText() const;

    // Same kind and value; numbers of different kinds compare by value; dates by their naive date and time.
    bool operator==(const Variant& o) const;

private:
    struct NullTag { bool operator==(const NullTag&) const { return true; } };
    std::variant<std::monostate, NullTag, bool, qint64, double, Currency, QDateTime, QString> m_v;
};

} // namespace ado

// Moving a Variant in memory keeps it valid (its members are), so containers of them may move it as bytes.
Q_DECLARE_TYPEINFO(ado::Variant, Q_RELOCATABLE_TYPE);
