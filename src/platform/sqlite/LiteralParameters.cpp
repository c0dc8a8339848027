#include "LiteralParameters.h"

#include "SqlTokens.h"

#include <charconv>
#include <cstring>
#include <limits>

namespace sqlcompat {

namespace {

// One token of the statement, as a place in it: nothing is copied.
struct Lexeme {
    TokenKind kind = TokenKind::Space;
    QStringView text;

    bool is(TokenKind k, const char* spelling) const
    {
        if (kind != k)
            return false;
        // Keywords and operators are ASCII: compared letter by letter, without regard to case.
        qsizetype i = 0;
        for (; spelling[i]; ++i) {
            if (i >= text.size())
                return false;
            char16_t c = text[i].unicode();
            if (c >= u'a' && c <= u'z')
                c = char16_t(c - (u'a' - u'A'));
            if (c != char16_t(spelling[i]))
                return false;
        }
        return i == text.size();
    }
    bool isWord(const char* upper) const { return is(TokenKind::Word, upper); }
    bool isOperator(const char* op) const { return is(TokenKind::Operator, op); }
    bool isName() const
    {
        return kind == TokenKind::Word || kind == TokenKind::Bracketed || kind == TokenKind::Quoted;
    }
};

// What a literal token holds, read in one pass: a text between its quotes, or a plain number (digits and
// at most one point; exponents and hex keep their literal form) and whether it fits a double exactly.
struct LiteralForm {
    bool plain = false;      // a text closed by its quote, or a plain number
    bool decimal = false;    // a number with a point
    bool fitsADouble = true; // up to 15 significant digits: the decimal has one nearest double, which is
                             // what the engine's own reading stores; longer ones keep their literal form so
                             // the engine rounds them as it always did
    bool doubledQuote = false;
};

LiteralForm formOf(const Lexeme& t)
{
    LiteralForm f;
    const qsizetype n = t.text.size();
    if (t.kind == TokenKind::String) {
        // Quotes come in pairs inside; an unclosed text ends with an odd one or none.
        if (n < 2 || t.text[n - 1] != u'\'')
            return f;
        int quotes = 0;
        for (qsizetype i = 1; i < n - 1; ++i) {
            if (t.text[i] == u'\'')
                ++quotes;
        }
        f.plain = quotes % 2 == 0;
        f.doubledQuote = quotes > 0;
        return f;
    }
    if (t.kind != TokenKind::Number || n == 0)
        return f;
    int digits = 0;
    bool leading = true;
    for (QChar c : t.text) {
        if (c == u'.') {
            if (f.decimal)
                return f;
            f.decimal = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            return f;
        if (leading && c == u'0')
            continue;
        leading = false;
        ++digits;
    }
    f.plain = true;
    f.fitsADouble = digits <= 15;
    return f;
}

// The value of a plain literal, with the sign of a "-" before it; empty for a whole number beyond 64 bits.
// A text without doubled quotes points into the statement.
std::optional<LiteralValue> valueOf(const Lexeme& t, const LiteralForm& form, bool negative)
{
    LiteralValue v;
    if (t.kind == TokenKind::String) {
        v.kind = LiteralValue::Text;
        const QStringView inside = t.text.mid(1, t.text.size() - 2);
        if (form.doubledQuote) {
            v.text = inside.toString();
            v.text.replace(QLatin1String("''"), QLatin1String("'"));
        } else {
            v.text = QString::fromRawData(inside.data(), inside.size());
        }
        return v;
    }
    // The digits are ASCII; from_chars reads them in the C locale, correctly rounded.
    char digits[64];
    if (t.text.size() > qsizetype(sizeof digits))
        return std::nullopt;
    for (qsizetype i = 0; i < t.text.size(); ++i)
        digits[i] = char(t.text[i].unicode());
    const char* end = digits + t.text.size();
    if (form.decimal) {
        v.kind = LiteralValue::Real;
        const std::from_chars_result read = std::from_chars(digits, end, v.real);
        if (read.ec != std::errc() || read.ptr != end)
            return std::nullopt;
        if (negative)
            v.real = -v.real;
        return v;
    }
    // Beyond 64 bits the engine reads a whole number as a real: such a literal is left as it is.
    quint64 magnitude = 0;
    const std::from_chars_result read = std::from_chars(digits, end, magnitude);
    if (read.ec != std::errc() || read.ptr != end
        || magnitude > quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0))
        return std::nullopt;
    v.integer = negative ? qint64(0 - magnitude) : qint64(magnitude);
    return v;
}

// Reads the statement's significant tokens against the two forms and writes its shape as it goes: the
// statement's own characters, but "?" for a literal that becomes a value (and nothing for its "-").
class Reader {
public:
    // The shape is written into `out`'s text, made as long as the statement: a shape is never longer.
    Reader(QStringView statement, LiteralShape* out) : m_s(statement), m_out(out)
    {
        m_out->text.resize(statement.size());
        m_to = m_out->text.data();
    }

    bool statement()
    {
        // A statement that begins as the one before it did, up to where its values start, is read from
        // there on: the same characters are the same table and columns, read then.
        const LiteralShape::Front front = m_out->front;
        if (!front.text.isEmpty() && m_s.startsWith(front.text)) {
            resumeAt(front.text.size(), TokenKind(front.before));
            return (front.insert ? values() : assignments()) && finish();
        }
        next();
        if (m_at.isWord("INSERT"))
            return insert() && finish();
        if (m_at.isWord("UPDATE"))
            return update() && finish();
        return false;
    }

private:
    bool insert()
    {
        if (!word("INSERT") || !word("INTO"))
            return false;
        // Up to VALUES: the table and its columns, taken as they are.
        while (!m_at.isWord("VALUES")) {
            if (atEnd() || m_at.kind == TokenKind::String || m_at.kind == TokenKind::Number
                || m_at.kind == TokenKind::Variable || m_at.isOperator("?"))
                return false;
            next();
        }
        return rest(true);
    }

    bool values()
    {
        if (!word("VALUES"))
            return false;
        do {
            if (!op("("))
                return false;
            do {
                if (!word("NULL") && !literal())
                    return false;
            } while (op(","));
            if (!op(")"))
                return false;
        } while (op(","));
        return end();
    }

    bool update()
    {
        if (!word("UPDATE") || !name() || !m_at.isWord("SET"))
            return false;
        return rest(false);
    }

    // From VALUES or SET on; what came before is kept as the front for the statements that follow.
    bool rest(bool insert)
    {
        const qsizetype front = m_start;
        const TokenKind before = m_before;
        if (!(insert ? values() : assignments()))
            return false;
        keepFront(front, before, insert);
        return true;
    }

    bool assignments()
    {
        if (!word("SET"))
            return false;
        do {
            if (!name() || !op("=") || !operand())
                return false;
        } while (op(","));
        if (word("WHERE") && !condition())
            return false;
        return end();
    }

    void keepFront(qsizetype end, TokenKind before, bool insert)
    {
        LiteralShape::Front& front = m_out->front;
        if (front.text.size() == end && m_s.startsWith(front.text))
            return;
        front.text = m_s.left(end).toString();
        front.before = int(before);
        front.insert = insert;
    }

    bool atEnd() const { return m_start >= m_s.size(); }

    // To the next significant token.
    void next() { resumeAt(m_start + m_at.text.size(), m_at.kind); }

    // To the first significant token from `at` on, `previous` being the kind of the token before `at`.
    void resumeAt(qsizetype at, TokenKind previous)
    {
        while (at < m_s.size()) {
            qsizetype end = 0;
            const TokenKind kind = ScanToken(m_s, at, previous, &end);
            if (kind != TokenKind::Space && kind != TokenKind::Comment) {
                m_before = previous;
                m_start = at;
                m_at = {kind, m_s.mid(at, end - at)};
                return;
            }
            previous = kind;
            at = end;
        }
        m_start = m_s.size();
        m_at = {TokenKind::Space, QStringView()};
    }

    bool word(const char* upper)
    {
        if (!m_at.isWord(upper))
            return false;
        next();
        return true;
    }

    bool op(const char* o)
    {
        if (!m_at.isOperator(o))
            return false;
        next();
        return true;
    }

    // Nothing after the statement but a closing ";".
    bool end()
    {
        op(";");
        return atEnd();
    }

    // A column or table, possibly with its owner before a ".": never one of the statement's own words.
    bool name()
    {
        do {
            if (!m_at.isName() || m_at.isWord("AND") || m_at.isWord("OR") || m_at.isWord("NOT")
                || m_at.isWord("IS") || m_at.isWord("NULL") || m_at.isWord("WHERE") || m_at.isWord("SET"))
                return false;
            next();
        } while (op("."));
        return true;
    }

    bool literal()
    {
        qsizetype minus = -1;
        if (m_at.isOperator("-")) {
            minus = m_start;
            next();
            if (m_at.kind != TokenKind::Number)
                return false;
        }
        const LiteralForm form = formOf(m_at);
        if (!form.plain || (minus >= 0 && m_at.kind != TokenKind::Number))
            return false;
        if (!form.decimal || form.fitsADouble) {
            std::optional<LiteralValue> v = valueOf(m_at, form, minus >= 0);
            if (!v)
                return false;
            m_out->values.push_back(std::move(*v));
            if (minus >= 0) {
                copyUpTo(minus);
                m_written = minus + 1;
            }
            copyUpTo(m_start);
            *m_to++ = QLatin1Char('?');
            m_written = m_start + m_at.text.size();
        }
        next();
        return true;
    }

    bool operand() { return word("NULL") || literal() || name(); }

    bool condition()
    {
        do {
            if (!term())
                return false;
        } while (word("AND") || word("OR"));
        return true;
    }

    bool term()
    {
        word("NOT");
        if (op("("))
            return condition() && op(")");
        if (!operand())
            return false;
        if (word("IS")) {
            word("NOT");
            return word("NULL");
        }
        for (const char* comparison : {"=", "==", "<>", "!=", "<", ">", "<=", ">=", "!<", "!>"}) {
            if (op(comparison))
                return operand();
        }
        return false;
    }

    // The rest of the statement after what was read; false when no literal became a value.
    bool finish()
    {
        copyUpTo(m_s.size());
        m_out->text.resize(m_to - m_out->text.constData());
        return !m_out->values.empty();
    }

    // The statement's characters from the last one written up to `to` (exclusive).
    void copyUpTo(qsizetype to)
    {
        if (to > m_written) {
            std::memcpy(m_to, m_s.data() + m_written, size_t(to - m_written) * sizeof(QChar));
            m_to += to - m_written;
        }
        m_written = to;
    }

    QStringView m_s;
    LiteralShape* m_out;
    Lexeme m_at;              // the significant token being read; Space with no text past the end
    qsizetype m_start = 0;    // where it starts
    TokenKind m_before = TokenKind::Space;   // the kind of the token just before it
    qsizetype m_written = 0;  // where the shape's copy of the statement stands
    QChar* m_to = nullptr;    // where the shape's next character goes
};

std::optional<LiteralShape> ownCopy(const QString& statement, const char* head)
{
    LiteralShape shape;
    if (!statement.trimmed().startsWith(QLatin1String(head), Qt::CaseInsensitive)
        || !Parameterize(statement, &shape))
        return std::nullopt;
    for (LiteralValue& v : shape.values)
        v.text = QString(v.text.constData(), v.text.size());
    return shape;
}

} // namespace

bool Parameterize(QStringView statement, LiteralShape* out)
{
    out->values.clear();
    return Reader(statement, out).statement();
}

std::optional<LiteralShape> ParameterizeInsert(const QString& statement)
{
    return ownCopy(statement, "INSERT");
}

std::optional<LiteralShape> ParameterizeUpdate(const QString& statement)
{
    return ownCopy(statement, "UPDATE");
}

} // namespace sqlcompat
