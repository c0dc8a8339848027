#pragma once
// INSERT and UPDATE statements whose values are plain literals, seen as a shape with "?" in place of each
// literal and the literals as values: a program that writes row after row as text then prepares each shape
// once instead of compiling every text anew. The values reach the table exactly as the literals would (a
// bound value has no affinity, as a literal has none), and a quoted text stays a text whatever it holds.

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace sqlcompat {

struct LiteralValue {
    enum Kind { Integer, Real, Text } kind = Integer;
    qint64 integer = 0;
    double real = 0;   // the nearest double to the decimal, as the engine reads the literal
    QString text;      // without its quotes, '' read as '
};

struct LiteralShape {
    QString text;                      // the statement with "?" for each literal
    std::vector<LiteralValue> values;  // in order

    // The last statement read up to where its values start (its table and columns), so that the next
    // one that begins with the same characters is read from there on.
    struct Front {
        QString text;
        int before = 0;                // the kind of the token before the values' keyword
        bool insert = true;            // VALUES follows; otherwise SET
    } front;
};

// Statements seen as shapes:
//   INSERT INTO t [(columns)] VALUES (value, ...)[, (...)]
//       each value a literal or NULL;
//   UPDATE t SET column = value[, ...] [WHERE condition]
//       each value a literal, NULL or a column; the condition made of comparisons (= == <> != < > <= >= !<
//       !>) between columns, literals and NULL, "IS [NOT] NULL", AND, OR, NOT and parentheses.
// A literal is a quoted text, a whole number that fits 64 bits or a decimal number, with a leading "-" or
// not. Texts, whole numbers and decimals of up to 15 significant digits become values; NULL and longer
// decimals stay in the text as written (the engine reads them as it always did). Anything else in the
// statement (a function, an expression, a marker or variable, a second statement), or no literal at all,
// leaves it as it is: false.
//
// `out` may be kept by the caller from one statement to the next, so that its storage is reused: a
// statement run again and again then allocates nothing here. A value's text may point into `statement`,
// which must outlive the use of `out`.
bool Parameterize(QStringView statement, LiteralShape* out);

// The same for one kind of statement, with texts of their own: empty for any other.
std::optional<LiteralShape> ParameterizeInsert(const QString& statement);
std::optional<LiteralShape> ParameterizeUpdate(const QString& statement);

} // namespace sqlcompat
