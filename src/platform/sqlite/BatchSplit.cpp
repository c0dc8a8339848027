// Batches of the program separate statements with ";" or only with line breaks ("BEGIN TRANSACTION",
// CR LF, "DELETE ... WHERE ID = 5", CR LF, "UPDATE ..."). The engine runs one statement at a time, so a
// batch is cut at ";" and where a statement keyword starts a new statement, never inside literals,
// names, comments, parentheses or a trigger's BEGIN ... END body.

#include "SqlTokens.h"
#include "TsqlCompat.h"

#include <optional>

namespace sqlcompat {

namespace {

bool isStatementWord(QStringView word)
{
    for (QStringView w : {u"SELECT", u"INSERT", u"UPDATE", u"DELETE", u"BEGIN", u"COMMIT", u"ROLLBACK", u"CREATE",
                          u"DROP", u"ALTER"}) {
        if (word.size() == w.size() && word.compare(w, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

bool startsStatement(const Token& t)
{
    return t.kind == TokenKind::Word && isStatementWord(t.text);
}

class Splitter {
public:
    // The statements as texts, and each as its tokens without the blanks around it.
    QStringList run(const Tokens& tokens, std::vector<Tokens>* parts = nullptr)
    {
        m_parts = parts;
        for (const Token& t : tokens) {
            if (!t.isSignificant()) {
                m_current.push_back(t);
                continue;
            }
            if (t.isOperator(u";") && m_depth == 0 && m_block == 0) {
                flush();
                continue;
            }
            if (m_first && m_depth == 0 && m_block == 0 && startsStatement(t) && keywordEndsCurrent(t))
                flush();
            track(t);
            m_current.push_back(t);
        }
        flush();
        return m_statements;
    }

private:
    // Whether statement keyword `t`, outside parentheses and trigger bodies, starts a new statement
    // rather than continuing the current one ("INSERT OR ROLLBACK", "ON DELETE", "AS SELECT", ...).
    bool keywordEndsCurrent(const Token& t) const
    {
        // Other statements (PRAGMA, WITH, EXPLAIN, ...) end only at ";".
        if (!startsStatement(*m_first))
            return false;
        if (m_previous->isAnyWord({u"OR", u"DO", u"AS", u"UNION", u"ALL", u"EXCEPT", u"INTERSECT", u"ON", u"OF",
                                   u"AFTER", u"BEFORE"}))
            return false;
        // INSERT ... SELECT: the SELECT gives the rows, unless VALUES did already.
        if (t.isWord(u"SELECT") && m_first->isWord(u"INSERT") && !m_sawValues)
            return false;
        // ALTER TABLE t DROP COLUMN c, but a DROP after the ALTER's own action starts a statement.
        if (t.isWord(u"DROP") && m_first->isWord(u"ALTER") && !m_alterActed)
            return false;
        // The body of CREATE TRIGGER.
        if (t.isWord(u"BEGIN") && m_first->isWord(u"CREATE"))
            return false;
        return true;
    }

    void track(const Token& t)
    {
        if (!m_first) {
            m_first = t;
            m_isCreate = t.isWord(u"CREATE");
        }
        if (t.isOperator(u"("))
            ++m_depth;
        else if (t.isOperator(u")") && m_depth > 0)
            --m_depth;
        else if (t.isWord(u"VALUES"))
            m_sawValues = true;
        else if (m_first->isWord(u"ALTER") && t.isAnyWord({u"ADD", u"DROP", u"RENAME"}))
            m_alterActed = true;
        else if (m_isCreate && (t.isWord(u"BEGIN") || t.isWord(u"CASE")))
            ++m_block;
        else if (m_isCreate && t.isWord(u"END") && m_block > 0)
            --m_block;
        m_previous = t;
    }

    void flush()
    {
        if (m_first) {
            const QString text = Join(m_current).trimmed();
            if (!text.isEmpty()) {
                m_statements << text;
                if (m_parts) {
                    auto from = m_current.begin();
                    auto to = m_current.end();
                    while (from != to && from->kind == TokenKind::Space)
                        ++from;
                    while (to != from && (to - 1)->kind == TokenKind::Space)
                        --to;
                    Tokens part(from, to);
                    // As the text is trimmed: a closing "-- comment" keeps no line-break character.
                    if (!part.empty())
                        part.back().text = QStringView(part.back().text).trimmed().toString();
                    m_parts->push_back(std::move(part));
                }
            }
        }
        m_current.clear();
        m_first.reset();
        m_previous.reset();
        m_depth = m_block = 0;
        m_isCreate = m_sawValues = m_alterActed = false;
    }

    QStringList m_statements;
    std::vector<Tokens>* m_parts = nullptr;
    Tokens m_current;
    std::optional<Token> m_first;
    std::optional<Token> m_previous;
    int m_depth = 0;
    int m_block = 0;
    bool m_isCreate = false;
    bool m_sawValues = false;
    bool m_alterActed = false;
};

// Cheap look at a trimmed text that can only be one statement: no ";" anywhere, at most one word that
// could start a statement, and no comment at its start (which may be all it holds). Anything else is cut
// properly.
bool plainlyOneStatement(QStringView sql)
{
    if (sql.startsWith(u"--") || sql.startsWith(u"/*"))
        return false;
    const qsizetype n = sql.size();
    auto isWordChar = [](QChar c) {
        return c.isLetterOrNumber() || c == u'_' || c == u'#' || c == u'@' || c == u'$';
    };
    int starts = 0;
    for (qsizetype i = 0; i < n;) {
        const QChar c = sql[i];
        if (c == u';')
            return false;
        if (!isWordChar(c)) {
            ++i;
            continue;
        }
        qsizetype end = i + 1;
        while (end < n && isWordChar(sql[end]))
            ++end;
        if (end - i <= 8 && isStatementWord(sql.mid(i, end - i)) && ++starts > 1)
            return false;
        i = end;
    }
    return true;
}

} // namespace

QStringList SplitBatch(const QString& sql)
{
    const QString one = sql.trimmed();
    if (one.isEmpty())
        return {};
    if (plainlyOneStatement(one))
        return {one};
    return Splitter().run(Tokenize(sql));
}

QStringList SplitAndRewrite(const QString& sql)
{
    const QString one = sql.trimmed();
    if (one.isEmpty())
        return {};
    if (plainlyOneStatement(one))
        return {Rewrite(one)};
    std::vector<Tokens> parts;
    Splitter().run(Tokenize(sql), &parts);
    QStringList out;
    for (const Tokens& part : parts)
        out << RewriteStatement(part);
    return out;
}

} // namespace sqlcompat
