// Token-level rewrite of one T-SQL statement into SQLite's dialect. Literals, [names] and comments are
// single tokens, so nothing inside them is ever touched.

#include "SqlTokens.h"
#include "TsqlCompat.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace sqlcompat {

namespace {

Token word(const QString& text) { return {TokenKind::Word, text}; }
Token blank() { return {TokenKind::Space, QStringLiteral(" ")}; }

// Words that end an operand: a "+" chain never runs across them.
bool isClauseWord(const Token& t)
{
    static constexpr std::string_view kWords[] = {
        "ALL",    "AND",    "AS",     "ASC",    "BETWEEN", "BY",     "CASE",   "CROSS",     "DELETE",
        "DESC",   "DISTINCT", "ELSE", "END",    "ESCAPE",  "EXCEPT", "EXISTS", "FROM",      "FULL",
        "GLOB",   "GROUP",  "HAVING", "IN",     "INNER",   "INSERT", "INTERSECT", "INTO",   "IS",
        "JOIN",   "LEFT",   "LIKE",   "LIMIT",  "MATCH",   "NOT",    "OFFSET", "ON",        "OR",
        "ORDER",  "OUTER",  "REGEXP", "RIGHT",  "SELECT",  "SET",    "THEN",   "TOP",       "UNION",
        "UPDATE", "VALUES", "WHEN",   "WHERE",  "WITH"};
    static_assert(std::is_sorted(std::begin(kWords), std::end(kWords)));
    constexpr qsizetype kLongest = 9;
    if (t.kind != TokenKind::Word || t.text.size() > kLongest)
        return false;
    char upper[kLongest];
    for (qsizetype i = 0; i < t.text.size(); ++i) {
        const char16_t c = t.text[i].unicode();
        if (c > 127)
            return false;
        upper[i] = char(c >= 'a' && c <= 'z' ? c - ('a' - 'A') : c);
    }
    return std::binary_search(std::begin(kWords), std::end(kWords), std::string_view(upper, t.text.size()));
}

bool isComparisonOrSeparator(const Token& t)
{
    if (t.kind != TokenKind::Operator)
        return false;
    for (QStringView op : {u",", u";", u"=", u"==", u"<", u">", u"<=", u">=", u"<>", u"!=", u"!<", u"!>"}) {
        if (t.text == op)
            return true;
    }
    return false;
}

// Index of the ")" matching the "(" at `open`, or -1.
int matchingParen(const Tokens& tokens, int open)
{
    int depth = 0;
    for (int i = open; i < int(tokens.size()); ++i) {
        if (tokens[i].isOperator(u"("))
            ++depth;
        else if (tokens[i].isOperator(u")") && --depth == 0)
            return i;
    }
    return -1;
}

// First significant tokens of each statement (the text may still hold several, separated by ";").
std::vector<int> statementStarts(const Tokens& tokens)
{
    std::vector<int> starts;
    bool atStart = true;
    for (int i = 0; i < int(tokens.size()); ++i) {
        if (!tokens[i].isSignificant())
            continue;
        if (atStart)
            starts.push_back(i);
        atStart = tokens[i].isOperator(u";");
    }
    return starts;
}

// "len(cuenta)<=6and(": the engine reads "6and" as one bad token.
void separateGluedNumbers(Tokens& tokens)
{
    for (int i = int(tokens.size()) - 2; i >= 0; --i) {
        if (tokens[i].kind == TokenKind::Number && tokens[i + 1].kind == TokenKind::Word)
            tokens.insert(tokens.begin() + i + 1, blank());
    }
}

// ISNULL is a postfix operator in SQLite; IFNULL gives the same result.
void replaceIsNull(Tokens& tokens)
{
    for (int i = 0; i < int(tokens.size()); ++i) {
        const int next = NextSignificant(tokens, i);
        if (tokens[i].isWord(u"ISNULL") && next >= 0 && tokens[next].isOperator(u"("))
            tokens[i].text = QStringLiteral("IFNULL");
    }
}

// "DELETE t WHERE" and "INSERT t (...)" at the start of a statement; transaction words.
void completeStatementHeads(Tokens& tokens)
{
    const std::vector<int> starts = statementStarts(tokens);
    for (auto it = starts.rbegin(); it != starts.rend(); ++it) {
        const Token& head = tokens[*it];
        const int next = NextSignificant(tokens, *it);
        if (next < 0)
            continue;
        Token& second = tokens[next];
        if (head.isWord(u"DELETE") && second.isName() && !second.isAnyWord({u"FROM", u"TOP"})) {
            tokens.insert(tokens.begin() + next, {word(QStringLiteral("FROM")), blank()});
        } else if (head.isWord(u"INSERT") && second.isName() && !second.isAnyWord({u"INTO", u"OR"})) {
            tokens.insert(tokens.begin() + next, {word(QStringLiteral("INTO")), blank()});
        } else if (head.isWord(u"BEGIN") && second.isAnyWord({u"TRAN", u"TRANSACTION"})) {
            // The same write transaction the connection's BeginTrans starts.
            tokens[*it].text = QString::fromLatin1(kBeginWriteTransaction);
            tokens.erase(tokens.begin() + *it + 1, tokens.begin() + next + 1);
        } else if (head.isAnyWord({u"COMMIT", u"ROLLBACK"}) && second.isAnyWord({u"TRAN", u"TRANSACTION"})) {
            second.text = QStringLiteral("TRANSACTION");
        }
    }
}

// The limit of "TOP n" / "TOP (n)" after the SELECT at `select`, as LIMIT text and the last index of the
// TOP clause; empty when there is none or it is a form without a LIMIT counterpart (PERCENT, WITH TIES),
// which is left for the engine to reject.
QString topLimit(const Tokens& tokens, int select, int* top, int* last)
{
    int i = NextSignificant(tokens, select);
    if (i >= 0 && tokens[i].isAnyWord({u"ALL", u"DISTINCT"}))
        i = NextSignificant(tokens, i);
    if (i < 0 || !tokens[i].isWord(u"TOP"))
        return {};
    *top = i;
    const int value = NextSignificant(tokens, i);
    if (value < 0)
        return {};
    QString limit;
    if (tokens[value].kind == TokenKind::Number || tokens[value].kind == TokenKind::Variable) {
        limit = tokens[value].text;
        *last = value;
    } else if (tokens[value].isOperator(u"(")) {
        *last = matchingParen(tokens, value);
        if (*last < 0)
            return {};
        const Tokens inner(tokens.begin() + value + 1, tokens.begin() + *last);
        const int first = NextSignificant(inner, -1);
        const bool single = first >= 0 && NextSignificant(inner, first) < 0;
        limit = single ? inner[first].text : QLatin1Char('(') + Join(inner).trimmed() + QLatin1Char(')');
    } else {
        return {};
    }
    const int after = NextSignificant(tokens, *last);
    if (after >= 0 && tokens[after].isAnyWord({u"PERCENT", u"WITH"}))
        return {};
    return limit;
}

// End (exclusive) of the SELECT whose clauses follow `from`: its closing parenthesis, ";", a compound
// operator (the LIMIT then stays with its own SELECT and the engine rejects the text) or the end.
int selectEnd(const Tokens& tokens, int from)
{
    int depth = 0;
    for (int i = from; i < int(tokens.size()); ++i) {
        const Token& t = tokens[i];
        if (t.isOperator(u"(")) {
            ++depth;
        } else if (t.isOperator(u")")) {
            if (depth-- == 0)
                return i;
        } else if (depth == 0 && (t.isOperator(u";") || t.isAnyWord({u"UNION", u"EXCEPT", u"INTERSECT"}))) {
            return i;
        }
    }
    return int(tokens.size());
}

// "SELECT TOP 1  * FROM t ORDER BY x" -> "SELECT * FROM t ORDER BY x LIMIT 1", at any depth.
void moveTopToLimit(Tokens& tokens)
{
    for (int select = int(tokens.size()) - 1; select >= 0; --select) {
        if (!tokens[select].isWord(u"SELECT"))
            continue;
        int top = -1;
        int last = -1;
        const QString limit = topLimit(tokens, select, &top, &last);
        if (limit.isEmpty())
            continue;
        const int end = selectEnd(tokens, last + 1);
        const int lastClause = PreviousSignificant(tokens, end);
        tokens.insert(tokens.begin() + lastClause + 1,
                      {blank(), word(QStringLiteral("LIMIT")), blank(), {TokenKind::Number, limit}});
        int eraseEnd = last + 1;
        while (eraseEnd < int(tokens.size()) && tokens[eraseEnd].kind == TokenKind::Space)
            ++eraseEnd;
        tokens.erase(tokens.begin() + top, tokens.begin() + eraseEnd);
    }
}

// Text "+": T-SQL concatenates when its operands are texts, SQLite always adds numbers. A chain of
// operands joined by "+" at one parenthesis level (bounded by commas, comparisons, clause words and the
// level's parentheses) is a concatenation when one of its operands holds a quoted text literal at that
// level, or is a parenthesised group that is itself such a chain. Every "+" of that chain becomes "||".
// Columns and function results alone never make a chain text, so numeric sums stay sums.
class ConcatenationRewriter {
public:
    explicit ConcatenationRewriter(Tokens& tokens) : m_tokens(tokens) {}

    void run()
    {
        m_frames.assign(1, Frame{});
        for (int i = 0; i < int(m_tokens.size()); ++i) {
            const Token& t = m_tokens[i];
            if (t.isSignificant())
                visit(i, t);
        }
        while (!m_frames.empty()) {
            finishChain(m_frames.back());
            m_frames.pop_back();
        }
    }

private:
    struct Frame {
        std::vector<int> pluses;
        bool chainIsText = false;
        bool operandHasText = false;
        int operandTokens = 0;
        bool isGroup = true;       // a parenthesised expression, not a function's arguments
        bool sawBoundary = false;
    };

    void visit(int i, const Token& t)
    {
        Frame& f = m_frames.back();
        if (t.isOperator(u"(")) {
            const int before = PreviousSignificant(m_tokens, i);
            const bool call = before >= 0 && m_tokens[before].isName() && !isClauseWord(m_tokens[before]);
            ++f.operandTokens;
            Frame inner;
            inner.isGroup = !call;
            m_frames.push_back(inner);
        } else if (t.isOperator(u")") && m_frames.size() > 1) {
            Frame inner = m_frames.back();
            m_frames.pop_back();
            const bool text = finishChain(inner);
            if (inner.isGroup && !inner.sawBoundary && text)
                m_frames.back().operandHasText = true;
        } else if (t.isOperator(u"+")) {
            if (f.operandTokens == 0)
                return;    // a sign, not an operator
            closeOperand(f);
            f.pluses.push_back(i);
        } else if (isComparisonOrSeparator(t) || isClauseWord(t)) {
            finishChain(f);
            f.sawBoundary = true;
        } else {
            ++f.operandTokens;
            if (t.kind == TokenKind::String)
                f.operandHasText = true;
        }
    }

    static void closeOperand(Frame& f)
    {
        if (f.operandHasText)
            f.chainIsText = true;
        f.operandHasText = false;
        f.operandTokens = 0;
    }

    bool finishChain(Frame& f)
    {
        closeOperand(f);
        const bool text = f.chainIsText;
        if (text) {
            for (int plus : f.pluses)
                m_tokens[plus].text = QStringLiteral("||");
        }
        f.pluses.clear();
        f.chainIsText = false;
        return text;
    }

    Tokens& m_tokens;
    std::vector<Frame> m_frames;
};

// A text function's result has no collation of its own, so "LTRIM(RTRIM(col)) = 'x'" would compare
// case-sensitively; the server compares it as it compares the column. The outermost call gets the text
// collation back.
void collateTextFunctions(Tokens& tokens)
{
    for (int i = 0; i < int(tokens.size()); ++i) {
        if (!tokens[i].isAnyWord({u"LTRIM", u"RTRIM", u"UPPER", u"LOWER", u"SUBSTRING", u"SUBSTR", u"LEFT",
                                  u"RIGHT", u"REPLACE"}))
            continue;
        const int open = NextSignificant(tokens, i);
        if (open < 0 || !tokens[open].isOperator(u"("))
            continue;
        const int close = matchingParen(tokens, open);
        if (close < 0)
            continue;
        const int after = NextSignificant(tokens, close);
        if (after < 0 || !tokens[after].isWord(u"COLLATE")) {
            tokens.insert(tokens.begin() + close + 1,
                          {blank(), word(QStringLiteral("COLLATE")), blank(), word(QString::fromLatin1(kTextCollation))});
        }
        i = close;   // calls nested inside this one need nothing more
    }
}

// Cheap look for anything a rule could act on; most statements have nothing and are left as they are.
bool mayNeedRewrite(const QString& s)
{
    const qsizetype n = s.size();
    const char16_t* d = reinterpret_cast<const char16_t*>(s.constData());
    auto lower = [](char16_t c) { return c >= u'A' && c <= u'Z' ? char16_t(c + 32) : c; };
    auto isDigit = [](char16_t c) { return c >= u'0' && c <= u'9'; };
    auto wordAt = [&](qsizetype i, std::string_view w) {
        if (i + qsizetype(w.size()) > n)
            return false;
        for (size_t k = 0; k < w.size(); ++k) {
            if (lower(d[i + qsizetype(k)]) != char16_t(w[k]))
                return false;
        }
        return true;
    };
    auto isWordChar = [&](char16_t c) {
        c = lower(c);
        return (c >= u'a' && c <= u'z') || isDigit(c) || c == u'_' || c == u'#' || c == u'@' || c == u'$'
            || (c > 127 && QChar(c).isLetterOrNumber());
    };
    // A whole word at i, as a statement would start it.
    auto keywordAt = [&](qsizetype i, std::string_view w) {
        return (i == 0 || !isWordChar(d[i - 1])) && wordAt(i, w)
            && (i + qsizetype(w.size()) == n || !isWordChar(d[i + qsizetype(w.size())]));
    };
    // "INSERT INTO" and "DELETE FROM" need nothing added.
    auto followedBy = [&](qsizetype i, std::string_view w) {
        while (i < n && (d[i] == u' ' || d[i] == u'\t' || d[i] == u'\r' || d[i] == u'\n'))
            ++i;
        return keywordAt(i, w);
    };
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = lower(d[i]);
        if (c == u'+')
            return true;
        const bool wordStart = (c >= u'a' && c <= u'z') || c == u'_' || c == u'#' || (c > 127 && QChar(c).isLetter());
        if (wordStart && i > 0 && (isDigit(d[i - 1]) || (d[i - 1] == u'.' && i >= 2 && isDigit(d[i - 2]))))
            return true;
        if ((c == u't' && (keywordAt(i, "top") || keywordAt(i, "tran") || keywordAt(i, "transaction") || wordAt(i, "trim(")))
            || (c == u'i' && (wordAt(i, "isnull") || (keywordAt(i, "insert") && !followedBy(i + 6, "into"))))
            || (c == u'd' && keywordAt(i, "delete") && !followedBy(i + 6, "from"))
            || (c == u'u' && wordAt(i, "upper")) || (c == u'l' && (wordAt(i, "lower") || wordAt(i, "left")))
            || (c == u's' && wordAt(i, "substr")) || (c == u'r' && (wordAt(i, "right") || wordAt(i, "replace"))))
            return true;
    }
    return false;
}

} // namespace

QString Rewrite(const QString& statement)
{
    if (!mayNeedRewrite(statement))
        return statement;
    return RewriteTokens(Tokenize(statement));
}

QString RewriteTokens(Tokens tokens)
{
    separateGluedNumbers(tokens);
    replaceIsNull(tokens);
    completeStatementHeads(tokens);
    ConcatenationRewriter(tokens).run();
    collateTextFunctions(tokens);
    moveTopToLimit(tokens);
    return Join(tokens);
}

QString RewriteStatement(const Tokens& tokens)
{
    const QString text = Join(tokens);
    return mayNeedRewrite(text) ? RewriteTokens(tokens) : text;
}

} // namespace sqlcompat
