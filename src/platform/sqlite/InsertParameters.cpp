#include "InsertParameters.h"

#include "SqlTokens.h"

#include <charconv>

namespace sqlcompat {

namespace {

bool isPlainNumber(const QString& t)
{
    if (t.isEmpty() || t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        return false;
    for (QChar c : t) {
        if (!((c >= u'0' && c <= u'9') || c == u'.'))
            return false;   // exponents and hex keep their literal form
    }
    return true;
}

// Up to 15 significant digits a decimal has one nearest double, and that is what the engine's own reading
// of the literal stores; longer ones keep their literal form so the engine rounds them as it always did.
bool fitsADouble(const QString& t)
{
    int digits = 0;
    bool leading = true;
    for (QChar c : t) {
        if (c == u'.' || (leading && c == u'0'))
            continue;
        leading = false;
        ++digits;
    }
    return digits <= 15;
}

// The value of a literal token, with the sign of a "-" before it.
std::optional<LiteralValue> valueOf(const Token& t, bool negative)
{
    LiteralValue v;
    if (t.kind == TokenKind::String) {
        if (negative || t.text.size() < 2 || !t.text.endsWith(QLatin1Char('\'')) || t.text.count(QLatin1Char('\'')) % 2 != 0)
            return std::nullopt;
        v.kind = LiteralValue::Text;
        v.text = t.text.mid(1, t.text.size() - 2);
        v.text.replace(QLatin1String("''"), QLatin1String("'"));
        return v;
    }
    if (t.kind != TokenKind::Number || !isPlainNumber(t.text))
        return std::nullopt;
    bool ok = false;
    if (t.text.contains(QLatin1Char('.'))) {
        if (!fitsADouble(t.text))
            return std::nullopt;
        // The digits are ASCII (isPlainNumber); from_chars reads them in the C locale, correctly rounded.
        const QByteArray digits = t.text.toLatin1();
        v.kind = LiteralValue::Real;
        if (std::from_chars(digits.data(), digits.data() + digits.size(), v.real).ec != std::errc())
            return std::nullopt;
        if (negative)
            v.real = -v.real;
        return v;
    }
    const qint64 n = t.text.toLongLong(&ok);
    if (!ok)
        return std::nullopt;   // beyond 64 bits the engine reads it as a real: keep the literal
    v.kind = LiteralValue::Integer;
    v.integer = negative ? -n : n;
    return v;
}

} // namespace

std::optional<InsertTemplate> ParameterizeInsert(const QString& statement)
{
    const Tokens tokens = Tokenize(statement);
    int i = NextSignificant(tokens, -1);
    if (i < 0 || !tokens[i].isWord(u"INSERT"))
        return std::nullopt;
    i = NextSignificant(tokens, i);
    if (i < 0 || !tokens[i].isWord(u"INTO"))
        return std::nullopt;
    // Up to VALUES: the table and its columns, taken as they are.
    int values = -1;
    for (int k = i; k >= 0; k = NextSignificant(tokens, k)) {
        if (tokens[k].isWord(u"VALUES")) {
            values = k;
            break;
        }
        if (tokens[k].kind == TokenKind::String || tokens[k].kind == TokenKind::Number
            || tokens[k].kind == TokenKind::Variable || tokens[k].isOperator(u"?"))
            return std::nullopt;
    }
    if (values < 0)
        return std::nullopt;
    InsertTemplate out;
    out.text.reserve(statement.size());
    for (int k = 0; k <= values; ++k)
        out.text += tokens[k].text;
    // After VALUES: rows of literals, NULL, commas and parentheses only.
    bool inRow = false;
    bool negative = false;
    for (int k = values + 1; k < int(tokens.size()); ++k) {
        const Token& t = tokens[k];
        if (!t.isSignificant()) {
            out.text += t.text;
            continue;
        }
        if (t.isOperator(u"(") && !inRow) {
            inRow = true;
        } else if (t.isOperator(u")") && inRow && !negative) {
            inRow = false;
        } else if (t.isOperator(u",") && !negative) {
        } else if (t.isOperator(u";") && !inRow && NextSignificant(tokens, k) < 0) {
        } else if (t.isOperator(u"-") && inRow && !negative) {
            negative = true;
            continue;
        } else if (t.isWord(u"NULL") && inRow && !negative) {
        } else if (inRow && t.kind == TokenKind::Number && isPlainNumber(t.text) && t.text.contains(QLatin1Char('.'))
                   && !fitsADouble(t.text)) {
            out.text += negative ? QStringLiteral("-") + t.text : t.text;
            negative = false;
            continue;
        } else if (inRow && (t.kind == TokenKind::String || t.kind == TokenKind::Number)) {
            const std::optional<LiteralValue> v = valueOf(t, negative);
            if (!v)
                return std::nullopt;
            out.values.push_back(*v);
            out.text += QLatin1Char('?');
            negative = false;
            continue;
        } else {
            return std::nullopt;
        }
        out.text += t.text;
    }
    if (inRow || negative || out.values.empty())
        return std::nullopt;
    return out;
}

} // namespace sqlcompat
