// The read guard of the server road: the text is cut into the tokens the server sees, then one walk over
// them checks that it is a single reading statement. Where the two servers differ, each is read by its own
// rules; where a server's reading is in doubt, the reading that sees more words is taken (a word glued to a
// number is also read from each letter of the number) or the text is refused (a "--" comment ended by any
// line break but LF or CR LF), so that a doubt can refuse a text but never let one through. Both the cutting
// and the walk take time in proportion to the text.

#include "PlainRead.h"

#include <QSet>
#include <QStringList>
#include <algorithm>
#include <initializer_list>
#include <optional>
#include <vector>

namespace ado {

namespace {

enum class Kind : quint8 {
    Word,       // keywords and names
    Number,     // 12, 1.5e3, 1e, 0x1F; on Oracle also 1.5f, 2d
    Literal,    // '...', N'...'; on Oracle q'[...]'
    Name,       // "name"; on SQL Server also [name]
    Variable,   // @name (SQL Server)
    Mark,       // any other character, one at a time
};

// Kept small: a text of one-character tokens makes as many tokens as characters.
struct Token {
    QStringView text;
    Kind kind;
    bool startsLine = false;   // nothing but blanks and comments before it on its line
    // A word written right after a number is also read from each letter of the number among the `glued`
    // characters before it ("0xDELETE" is also read "DELETE", "1eEXEC" also "EXEC"). Only as many characters
    // as the longest refused word are kept, so a long number costs no more than its length.
    quint8 glued = 0;

    // The word and its readings from the number's letters.
    template<typename F>
    bool anyReading(F&& f) const
    {
        for (qsizetype g = glued; g > 0; --g) {
            const QStringView reading(text.data() - g, text.size() + g);
            if (reading[0].isLetter() && f(reading))
                return true;
        }
        return f(text);
    }

    bool isMark(char16_t c) const { return kind == Kind::Mark && text.size() == 1 && text[0] == c; }
    bool is(QLatin1StringView word) const
    {
        return kind == Kind::Word && text.compare(word, Qt::CaseInsensitive) == 0;
    }
    bool isAny(std::initializer_list<QLatin1StringView> words) const
    {
        for (QLatin1StringView w : words)
            if (is(w))
                return true;
        return false;
    }
    bool endsOperand() const
    {
        return kind == Kind::Number || kind == Kind::Literal || kind == Kind::Name || kind == Kind::Variable
               || isMark(u')');
    }
};

bool isDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isHexDigit(QChar c)
{
    return isDigit(c) || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

// Every line break a server might end a "--" comment at.
bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == u'\x85' || c == u'\x2028'
           || c == u'\x2029';
}

// Words that start or hide a statement other than the read, on one server.
struct RefusedWords {
    QSet<QString> words;
    qsizetype longest = 0;

    RefusedWords(std::initializer_list<const char*> lists)
    {
        for (const char* list : lists)
            for (const QString& w : QString::fromLatin1(list).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                words.insert(w);
                longest = std::max(longest, w.size());
            }
    }

    bool contains(QStringView w) const { return w.size() <= longest && words.contains(w.toString().toUpper()); }
};

// On both servers: data, definitions, rights, code and transactions.
constexpr const char* kRefusedOnBoth = "INSERT UPDATE DELETE MERGE TRUNCATE INTO CREATE ALTER DROP GRANT REVOKE EXEC "
                                       "EXECUTE DECLARE SET BEGIN COMMIT ROLLBACK TRIGGER";

const RefusedWords& refusedWords(bool oracle)
{
    // SQL Server: rights, server and session commands, control of flow, cursors and transactions, external
    // data, text and trigger statements, Service Broker.
    static const RefusedWords sqlServer{
        kRefusedOnBoth,
        "DENY USE WAITFOR BULK BACKUP RESTORE DUMP LOAD DBCC SHUTDOWN KILL RECONFIGURE CHECKPOINT OPENROWSET "
        "OPENDATASOURCE OPENQUERY OPENXML DISABLE ENABLE UPDATETEXT WRITETEXT READTEXT RECEIVE SEND CONVERSATION "
        "IF WHILE GOTO RETURN BREAK CONTINUE THROW RAISERROR PRINT TRAN TRANSACTION SAVE OPEN CLOSE DEALLOCATE "
        "CURSOR REVERT SETUSER ADD"};
    // Oracle: its own definition, rights, locking and plan statements, and a sequence's next value.
    static const RefusedWords oracleWords{kRefusedOnBoth,
                                          "RENAME COMMENT AUDIT NOAUDIT ANALYZE ASSOCIATE DISASSOCIATE FLASHBACK "
                                          "PURGE LOCK CALL EXPLAIN SAVEPOINT ADMINISTER NEXTVAL"};
    return oracle ? oracleWords : sqlServer;
}

class Reader {
public:
    Reader(QStringView s, bool oracle) : m_s(s), m_oracle(oracle) {}

    // The tokens, or nothing when a literal, name or comment does not end or the reading is in doubt.
    std::optional<std::vector<Token>> tokens()
    {
        const qsizetype n = m_s.size();
        // At most one token a character: room taken once, never moved (untouched room costs nothing).
        m_out.reserve(size_t(n));
        qsizetype i = 0;
        while (i < n) {
            const QChar c = m_s[i];
            if (c.isSpace()) {
                m_lineStart = m_lineStart || isLineBreak(c);
                ++i;
            } else if (c == u'-' && i + 1 < n && m_s[i + 1] == u'-') {
                while (i < n && !isLineBreak(m_s[i]))
                    ++i;
                // Whether a server ends the comment at another line break is a bet either way.
                if (i < n && m_s[i] != u'\n' && !(m_s[i] == u'\r' && i + 1 < n && m_s[i + 1] == u'\n'))
                    return std::nullopt;
            } else if (c == u'/' && i + 1 < n && m_s[i + 1] == u'*') {
                const qsizetype end = commentEnd(i);
                if (end < 0)
                    return std::nullopt;
                for (qsizetype j = i; j < end && !m_lineStart; ++j)
                    m_lineStart = isLineBreak(m_s[j]);
                i = end;
            } else if (c == u'\'') {
                if (!add(Kind::Literal, i, delimitedEnd(i, u'\'', true), &i))
                    return std::nullopt;
            } else if (c == u'"') {
                // Oracle has no doubled quote inside a quoted name: the second quote ends it.
                if (!add(Kind::Name, i, delimitedEnd(i, u'"', !m_oracle), &i))
                    return std::nullopt;
            } else if (c == u'[' && !m_oracle) {
                if (!add(Kind::Name, i, delimitedEnd(i, u']', true), &i))
                    return std::nullopt;
            } else if (isDigit(c) || (c == u'.' && i + 1 < n && isDigit(m_s[i + 1]))) {
                const qsizetype numberStart = i;
                add(Kind::Number, i, numberEnd(i), &i);
                if (i < n && isWordPart(m_s[i]) && !isDigit(m_s[i]) && !word(numberStart, &i))
                    return std::nullopt;
            } else if (isWordStart(c)) {
                if (!word(-1, &i))
                    return std::nullopt;
            } else if (c == u'@' && !m_oracle) {
                qsizetype end = i + 1;
                while (end < n && isWordPart(m_s[end]))
                    ++end;
                add(Kind::Variable, i, end, &i);
            } else {
                add(Kind::Mark, i, i + 1, &i);
            }
        }
        return std::move(m_out);
    }

private:
    bool isWordStart(QChar c) const
    {
        // Oracle names start with a letter; "_", "#" and "$" there are read as marks, which sees more words.
        return c.isLetter() || (!m_oracle && (c == u'_' || c == u'#'));
    }

    bool isWordPart(QChar c) const
    {
        return c.isLetterOrNumber() || c.isMark() || c == u'_' || c == u'#' || c == u'$'
               || (c == u'@' && !m_oracle);
    }

    bool add(Kind kind, qsizetype start, qsizetype end, qsizetype* next)
    {
        if (end < 0)
            return false;
        m_out.push_back({m_s.sliced(start, end - start), kind, m_lineStart});
        m_lineStart = false;
        *next = end;
        return true;
    }

    // A word from `*i`; after a number that began at `numberStart`, also its readings from each letter of the
    // number. On Oracle a word q or nq before a quote opens a q'[...]' literal instead; false when it does
    // not end.
    bool word(qsizetype numberStart, qsizetype* i)
    {
        const qsizetype start = *i;
        qsizetype end = start + 1;
        while (end < m_s.size() && isWordPart(m_s[end]))
            ++end;
        const bool lineStart = m_lineStart;
        add(Kind::Word, start, end, i);
        if (numberStart >= 0)
            m_out.back().glued = quint8(std::clamp<qsizetype>(
                std::min(start - numberStart, refusedWords(m_oracle).longest - (end - start)), 0, 255));
        if (!quotePrefix(m_out.back()) || end >= m_s.size() || m_s[end] != u'\'')
            return true;
        m_out.pop_back();
        m_lineStart = lineStart;
        return add(Kind::Literal, start, qQuoteEnd(end), i);
    }

    // End of a literal or name closed by `close` (a doubled `close` inside stands for itself when `doubled`);
    // -1 when it does not end.
    qsizetype delimitedEnd(qsizetype i, QChar close, bool doubled) const
    {
        for (++i; i < m_s.size(); ++i) {
            if (m_s[i] != close)
                continue;
            if (doubled && i + 1 < m_s.size() && m_s[i + 1] == close)
                ++i;
            else
                return i + 1;
        }
        return -1;
    }

    // SQL Server nests block comments ("/* /* */ x */" is one comment); Oracle ends one at the first "*/".
    // -1 when it does not end.
    qsizetype commentEnd(qsizetype i) const
    {
        int depth = 1;
        for (qsizetype j = i + 2; j + 1 < m_s.size();) {
            if (!m_oracle && m_s[j] == u'/' && m_s[j + 1] == u'*') {
                ++depth;
                j += 2;
            } else if (m_s[j] == u'*' && m_s[j + 1] == u'/') {
                if (--depth == 0)
                    return j + 2;
                j += 2;
            } else {
                ++j;
            }
        }
        return -1;
    }

    // The server's number: digits, a fraction, an exponent (a bare "e" included: SQL Server reads "1e" as a
    // number on its own), binary literals on SQL Server, Oracle's f/d endings.
    qsizetype numberEnd(qsizetype i) const
    {
        const qsizetype n = m_s.size();
        if (!m_oracle && m_s[i] == u'0' && i + 1 < n && (m_s[i + 1] == u'x' || m_s[i + 1] == u'X')) {
            i += 2;
            while (i < n && isHexDigit(m_s[i]))
                ++i;
            return i;
        }
        while (i < n && isDigit(m_s[i]))
            ++i;
        if (i < n && m_s[i] == u'.') {
            ++i;
            while (i < n && isDigit(m_s[i]))
                ++i;
        }
        if (i < n && (m_s[i] == u'e' || m_s[i] == u'E')) {
            ++i;
            if (i + 1 < n && (m_s[i] == u'+' || m_s[i] == u'-') && isDigit(m_s[i + 1]))
                ++i;
            while (i < n && isDigit(m_s[i]))
                ++i;
        }
        if (m_oracle && i < n && (m_s[i] == u'f' || m_s[i] == u'F' || m_s[i] == u'd' || m_s[i] == u'D'))
            ++i;
        return i;
    }

    // Oracle's q'<delimiter>...<delimiter>' and nq'...'.
    bool quotePrefix(const Token& t) const
    {
        return m_oracle && (t.is(QLatin1StringView("q")) || t.is(QLatin1StringView("nq")));
    }

    // From the quote after q: the literal ends at the closing delimiter followed by a quote; -1 when it
    // does not end or the delimiter is a blank.
    qsizetype qQuoteEnd(qsizetype quote) const
    {
        if (quote + 1 >= m_s.size() || m_s[quote + 1].isSpace())
            return -1;
        const QChar open = m_s[quote + 1];
        const QChar close = open == u'[' ? u']' : open == u'{' ? u'}' : open == u'<' ? u'>' : open == u'(' ? u')' : open;
        for (qsizetype j = quote + 2; j + 1 < m_s.size(); ++j)
            if (m_s[j] == close && m_s[j + 1] == u'\'')
                return j + 2;
        return -1;
    }

    QStringView m_s;
    bool m_oracle;
    bool m_lineStart = true;
    std::vector<Token> m_out;
};

bool refused(const Token& t, bool oracle)
{
    const RefusedWords& words = refusedWords(oracle);
    return t.anyReading([&words](QStringView w) { return words.contains(w); });
}

// Oracle takes the quoted "NEXTVAL" for the pseudocolumn as it takes the bare word: it moves the sequence on.
bool movesSequence(const Token& t, bool oracle)
{
    return oracle && t.kind == Kind::Name && t.text.size() > 2
           && t.text.sliced(1, t.text.size() - 2).compare(QLatin1StringView("NEXTVAL"), Qt::CaseInsensitive) == 0;
}

// One level of parentheses (the text itself is the outermost).
struct Level {
    bool atStart = true;        // nothing read yet at this level
    bool afterOperand = false;  // its "(" follows a value: a SELECT here starts a statement of its own
    bool withPrefix = false;    // inside "WITH name AS (...), ..." before its main query
};

bool isSetOperator(const Token& t, bool oracle)
{
    return t.isAny({QLatin1StringView("UNION"), QLatin1StringView("EXCEPT"), QLatin1StringView("INTERSECT")})
           || (oracle && t.is(QLatin1StringView("MINUS")));
}

} // namespace

bool IsPlainRead(QStringView sql, BackendKind server)
{
    const bool oracle = server == BackendKind::Oracle;
    const std::optional<std::vector<Token>> read = Reader(sql, oracle).tokens();
    if (!read)
        return false;
    const std::vector<Token>& t = *read;
    // Empty statements before and after the read are nothing.
    size_t b = 0, e = t.size();
    while (b < e && t[b].isMark(u';'))
        ++b;
    while (e > b && t[e - 1].isMark(u';'))
        --e;
    size_t first = b;
    while (first < e && t[first].isMark(u'('))
        ++first;
    if (first == e || !t[first].isAny({QLatin1StringView("SELECT"), QLatin1StringView("WITH")}))
        return false;

    const auto at = [&](size_t k) -> const Token* { return k >= b && k < e ? &t[k] : nullptr; };
    std::vector<Level> levels(1);
    for (size_t k = b; k < e; ++k) {
        const Token& x = t[k];
        const Token* prev = at(k - 1);
        const Token* next = at(k + 1);
        Level& level = levels.back();
        if (x.isMark(u';'))
            return false;
        if (x.isMark(u'(')) {
            // After the WITH list a "(" holds the main query.
            const bool mainQuery = level.withPrefix && prev && prev->isMark(u')');
            if (mainQuery)
                level.withPrefix = false;
            level.atStart = false;
            Level inner;
            inner.afterOperand = !mainQuery && prev && prev->endsOperand();
            levels.push_back(inner);
            continue;
        }
        if (x.isMark(u')')) {
            if (levels.size() == 1)
                return false;
            levels.pop_back();
            continue;
        }
        // SQL Server reads the ODBC escapes itself: only those that stand for a value or a join.
        if (x.isMark(u'{')
            && !(next
                 && next->isAny({QLatin1StringView("fn"), QLatin1StringView("d"), QLatin1StringView("t"),
                                 QLatin1StringView("ts"), QLatin1StringView("oj"), QLatin1StringView("escape"),
                                 QLatin1StringView("guid"), QLatin1StringView("interval")})))
            return false;
        if (movesSequence(x, oracle))
            return false;
        if (x.kind == Kind::Word) {
            if (refused(x, oracle))
                return false;
            if (x.is(QLatin1StringView("SELECT"))) {
                const Token* before = at(k - 2);
                const bool starts = level.atStart && !level.afterOperand;
                const bool joined = prev
                                    && (isSetOperator(*prev, oracle)
                                        || (prev->isAny({QLatin1StringView("ALL"), QLatin1StringView("DISTINCT")})
                                            && before && isSetOperator(*before, oracle)));
                const bool mainQuery = level.withPrefix && prev && prev->isMark(u')');
                if (!starts && !joined && !mainQuery)
                    return false;
                level.withPrefix = false;
            } else if (x.is(QLatin1StringView("WITH")) && level.atStart) {
                level.withPrefix = true;
            } else if (!oracle) {
                // A line of its own "GO" or "GO n" ends a batch for the tools that split on it.
                const Token* afterNext = at(k + 2);
                if (x.is(QLatin1StringView("GO")) && x.startsLine
                    && (!next || next->startsLine
                        || (next->kind == Kind::Number && (!afterNext || afterNext->startsLine))))
                    return false;
                // FETCH reads the rows of a cursor, except in "OFFSET n ROWS FETCH NEXT m ROWS ONLY".
                if (x.is(QLatin1StringView("FETCH"))
                    && !(prev && prev->isAny({QLatin1StringView("ROW"), QLatin1StringView("ROWS")})))
                    return false;
                // NEXT VALUE FOR moves a sequence on.
                if (x.is(QLatin1StringView("NEXT")) && next && next->is(QLatin1StringView("VALUE")) && afterNext
                    && afterNext->is(QLatin1StringView("FOR")))
                    return false;
            }
        }
        level.atStart = false;
    }
    return levels.size() == 1;
}

} // namespace ado
