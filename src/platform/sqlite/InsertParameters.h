#pragma once
// An INSERT whose values are all plain literals, seen as a template with "?" in place of each literal and
// the literals as values: a program that inserts row after row as text then prepares each shape once
// instead of compiling every text anew. The values reach the table exactly as the literals would.

#include <QString>
#include <optional>
#include <vector>

namespace sqlcompat {

struct LiteralValue {
    enum Kind { Integer, Real, Text } kind = Integer;
    qint64 integer = 0;
    double real = 0;   // the nearest double to the decimal, as the engine reads the literal
    QString text;   // without its quotes, '' read as '
};

struct InsertTemplate {
    QString text;                      // the statement with "?" for each literal
    std::vector<LiteralValue> values;  // in order
};

// For "INSERT INTO t [(columns)] VALUES (literal, ...)[, (...)]" where every value is a quoted text, a
// whole number that fits 64 bits (with a leading "-" or not), a decimal number or NULL. Texts and whole
// numbers become values; decimals and NULL stay in the text as written (the engine reads them as it
// always did). Empty for any other statement, or when anything else is among its values.
std::optional<InsertTemplate> ParameterizeInsert(const QString& statement);

} // namespace sqlcompat
