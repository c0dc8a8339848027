#include "SqlTokens.h"

#include <algorithm>

namespace sqlcompat {

namespace {

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isWordStart(QChar c)
{
    return c.isLetter() || c == u'_' || c == u'#';
}

bool isWordPart(QChar c)
{
    if (c.unicode() < 0x80)   // most text is ASCII: no character table to consult
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || isDigit(c) || c == u'_' || c == u'#'
            || c == u'$' || c == u'@';
    return c.isLetterOrNumber() || c == u'_' || c == u'#' || c == u'$' || c == u'@' || c.isMark();
}

bool isHexDigit(QChar c)
{
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// End of a literal closed by `close`, where a doubled `close` stands for itself.
qsizetype endOfDelimited(QStringView s, qsizetype i, QChar close)
{
    for (++i; i < s.size(); ++i) {
        if (s[i] == close) {
            if (i + 1 < s.size() && s[i + 1] == close)
                ++i;
            else
                return i + 1;
        }
    }
    return s.size();
}

qsizetype endOfNumber(QStringView s, qsizetype i)
{
    const qsizetype n = s.size();
    if (s[i] == u'0' && i + 2 < n && (s[i + 1] == u'x' || s[i + 1] == u'X') && isHexDigit(s[i + 2])) {
        i += 2;
        while (i < n && isHexDigit(s[i]))
            ++i;
        return i;
    }
    while (i < n && isDigit(s[i]))
        ++i;
    if (i < n && s[i] == u'.') {
        ++i;
        while (i < n && isDigit(s[i]))
            ++i;
    }
    // An exponent only when digits follow, so that "6e" in "6else" stays a number and a word.
    if (i < n && (s[i] == u'e' || s[i] == u'E')) {
        qsizetype j = i + 1;
        if (j < n && (s[j] == u'+' || s[j] == u'-'))
            ++j;
        if (j < n && isDigit(s[j])) {
            while (j < n && isDigit(s[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

qsizetype endOfOperator(QStringView s, qsizetype i)
{
    static const char* const twoChar[] = {"<=", ">=", "<>", "!=", "!<", "!>", "||", "==", "<<", ">>"};
    const QChar c = s[i];
    if (c != u'<' && c != u'>' && c != u'!' && c != u'|' && c != u'=')
        return i + 1;   // commas, parentheses and the like: no two-character operator starts with them
    if (i + 1 < s.size()) {
        for (const char* op : twoChar) {
            if (s[i] == QLatin1Char(op[0]) && s[i + 1] == QLatin1Char(op[1]))
                return i + 2;
        }
    }
    return i + 1;
}

} // namespace

TokenKind ScanToken(QStringView s, qsizetype i, TokenKind previous, qsizetype* tokenEnd)
{
    const qsizetype n = s.size();
    const QChar c = s[i];
    qsizetype end = i + 1;
    TokenKind kind = TokenKind::Operator;
    if (c.isSpace()) {
        kind = TokenKind::Space;
        while (end < n && s[end].isSpace())
            ++end;
    } else if (c == u'-' && i + 1 < n && s[i + 1] == u'-') {
        kind = TokenKind::Comment;
        while (end < n && s[end] != u'\n')
            ++end;
    } else if (c == u'/' && i + 1 < n && s[i + 1] == u'*') {
        kind = TokenKind::Comment;
        const qsizetype close = s.indexOf(u"*/", i + 2);
        end = close < 0 ? n : close + 2;
    } else if (c == u'\'') {
        kind = TokenKind::String;
        end = endOfDelimited(s, i, u'\'');
    } else if (c == u'[') {
        kind = TokenKind::Bracketed;
        end = endOfDelimited(s, i, u']');
    } else if (c == u'"') {
        kind = TokenKind::Quoted;
        end = endOfDelimited(s, i, u'"');
    } else if (isDigit(c)
               || (c == u'.' && i + 1 < n && isDigit(s[i + 1])
                   && (previous == TokenKind::Space || previous == TokenKind::Comment
                       || previous == TokenKind::Operator))) {
        kind = TokenKind::Number;
        end = endOfNumber(s, i);
        if (end == i)
            end = i + 1;
    } else if (isWordStart(c)) {
        kind = TokenKind::Word;
        while (end < n && isWordPart(s[end]))
            ++end;
    } else if (c == u'@') {
        kind = TokenKind::Variable;
        while (end < n && isWordPart(s[end]))
            ++end;
    } else {
        end = endOfOperator(s, i);
    }
    *tokenEnd = end;
    return kind;
}

Tokens Tokenize(QStringView s)
{
    Tokens tokens;
    tokens.reserve(size_t(s.size() / 4 + 4));   // about one token per four characters: few regrowths
    TokenKind previous = TokenKind::Space;      // the start of the text counts as a blank
    for (qsizetype i = 0, end = 0; i < s.size(); i = end) {
        previous = ScanToken(s, i, previous, &end);
        // No copy: the tokens live no longer than the text they were cut from.
        tokens.push_back({previous, QString::fromRawData(s.data() + i, end - i)});
    }
    return tokens;
}

QString Join(const Tokens& tokens)
{
    // Copies the characters: the result must not share the raw text the tokens point into.
    qsizetype size = 0;
    for (const Token& t : tokens)
        size += t.text.size();
    QString out(size, Qt::Uninitialized);
    QChar* at = out.data();
    for (const Token& t : tokens) {
        std::copy(t.text.cbegin(), t.text.cend(), at);
        at += t.text.size();
    }
    return out;
}

int NextSignificant(const Tokens& tokens, int from)
{
    for (int i = from + 1; i < int(tokens.size()); ++i) {
        if (tokens[i].isSignificant())
            return i;
    }
    return -1;
}

int PreviousSignificant(const Tokens& tokens, int from)
{
    for (int i = from - 1; i >= 0; --i) {
        if (tokens[i].isSignificant())
            return i;
    }
    return -1;
}

} // namespace sqlcompat
