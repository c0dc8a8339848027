// Batches of the program separate statements with ";" or only with line breaks ("BEGIN TRANSACTION",
// CR LF, "DELETE ... WHERE ID = 5", CR LF, "UPDATE ..."). The engine runs one statement at a time, so a
// batch is cut at ";" and where a statement keyword starts a new statement, never inside literals,
// names, comments, parentheses or a trigger's BEGIN ... END body.

#include "SqlTokens.h"
#include "TsqlCompat.h"

#include <optional>

namespace sqlcompat {

namespace {

bool startsStatement(const Token& t)
{
    return t.isAnyWord({u"SELECT", u"INSERT", u"UPDATE", u"DELETE", u"BEGIN", u"COMMIT", u"ROLLBACK",
                        u"CREATE", u"DROP", u"ALTER"});
}

class Splitter {
public:
    QStringList run(const Tokens& tokens)
    {
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
            if (!text.isEmpty())
                m_statements << text;
        }
        m_current.clear();
        m_first.reset();
        m_previous.reset();
        m_depth = m_block = 0;
        m_isCreate = m_sawValues = m_alterActed = false;
    }

    QStringList m_statements;
    Tokens m_current;
    std::optional<Token> m_first;
    std::optional<Token> m_previous;
    int m_depth = 0;
    int m_block = 0;
    bool m_isCreate = false;
    bool m_sawValues = false;
    bool m_alterActed = false;
};

} // namespace

QStringList SplitBatch(const QString& sql)
{
    return Splitter().run(Tokenize(sql));
}

} // namespace sqlcompat
