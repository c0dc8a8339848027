#include "TsqlCollations.h"

#include <QString>
#include <cstring>

namespace sqlcompat {

namespace {

QByteArrayView withoutTrailingBlanks(QByteArrayView s)
{
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == ' ')
        --n;
    return s.first(n);
}

char asciiLower(char c)
{
    return (c >= 'A' && c <= 'Z') ? char(c + ('a' - 'A')) : c;
}

int sign(qsizetype v)
{
    return v < 0 ? -1 : (v > 0 ? 1 : 0);
}

// The code point at `pos` of UTF-8 text, moving `pos` past it. A byte that starts no valid sequence
// stands for itself, above every character, so that any text still has one place in the order.
char32_t nextCodePoint(QByteArrayView s, qsizetype& pos)
{
    const auto byte = [&](qsizetype i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(pos);
    int extra = 0;
    char32_t cp = lead;
    if (lead >= 0xF0 && lead <= 0xF4) {
        extra = 3;
        cp = lead & 0x07;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        extra = 2;
        cp = lead & 0x0F;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        extra = 1;
        cp = lead & 0x1F;
    }
    if (lead >= 0x80 && extra == 0) {
        ++pos;
        return 0x110000 + lead;
    }
    for (int k = 1; k <= extra; ++k) {
        if (pos + k >= s.size() || (byte(pos + k) & 0xC0) != 0x80) {
            ++pos;
            return 0x110000 + lead;
        }
        cp = (cp << 6) | (byte(pos + k) & 0x3F);
    }
    pos += 1 + extra;
    return cp;
}

} // namespace

int CompareText(QByteArrayView a, QByteArrayView b)
{
    a = withoutTrailingBlanks(a);
    b = withoutTrailingBlanks(b);
    // ASCII prefix byte by byte; the rest, from the first non-ASCII byte, through Unicode case folding.
    const qsizetype common = qMin(a.size(), b.size());
    qsizetype i = 0;
    for (; i < common; ++i) {
        const char ca = a[i];
        const char cb = b[i];
        if ((ca & 0x80) || (cb & 0x80))
            break;
        const char la = asciiLower(ca);
        const char lb = asciiLower(cb);
        if (la != lb)
            return la < lb ? -1 : 1;
    }
    if (i == common)
        return sign(a.size() - b.size());
    qsizetype ia = i;
    qsizetype ib = i;
    while (ia < a.size() && ib < b.size()) {
        const char32_t ca = QChar::toCaseFolded(nextCodePoint(a, ia));
        const char32_t cb = QChar::toCaseFolded(nextCodePoint(b, ib));
        if (ca != cb)
            return ca < cb ? -1 : 1;
    }
    return sign((a.size() - ia) - (b.size() - ib));
}

namespace {

// Reads digits at `pos` (between `min` and `max` of them); -1 when there are too few.
int readNumber(QByteArrayView s, qsizetype& pos, int min, int max)
{
    int value = 0;
    int count = 0;
    while (pos < s.size() && count < max && s[pos] >= '0' && s[pos] <= '9') {
        value = value * 10 + (s[pos] - '0');
        ++pos;
        ++count;
    }
    return count >= min ? value : -1;
}

bool isLeap(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

bool validDay(int y, int m, int d)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (m < 1 || m > 12 || d < 1)
        return false;
    return d <= days[m - 1] + (m == 2 && isLeap(y) ? 1 : 0);
}

bool startsWithNoCase(QByteArrayView s, qsizetype pos, const char* word)
{
    const qsizetype n = qsizetype(std::strlen(word));
    if (pos + n > s.size())
        return false;
    for (qsizetype i = 0; i < n; ++i) {
        if (asciiLower(s[pos + i]) != word[i])
            return false;
    }
    return true;
}

struct Moment {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    QByteArrayView fraction;    // digits after the seconds, trailing zeros dropped
};

// " hh:mm[:ss[.f]][ AM|PM]" or "Thh:..." after a date; true when the rest of the text is one (or empty).
bool readTime(QByteArrayView s, qsizetype pos, Moment& m)
{
    if (pos == s.size())
        return true;
    if (s[pos] != ' ' && s[pos] != 'T')
        return false;
    while (pos < s.size() && (s[pos] == ' ' || s[pos] == 'T'))
        ++pos;
    m.hour = readNumber(s, pos, 1, 2);
    if (m.hour < 0 || pos >= s.size() || s[pos] != ':')
        return false;
    ++pos;
    m.minute = readNumber(s, pos, 2, 2);
    if (m.minute < 0 || m.minute > 59)
        return false;
    if (pos < s.size() && s[pos] == ':') {
        ++pos;
        m.second = readNumber(s, pos, 2, 2);
        if (m.second < 0 || m.second > 59)
            return false;
        if (pos < s.size() && s[pos] == '.') {
            ++pos;
            const qsizetype start = pos;
            while (pos < s.size() && s[pos] >= '0' && s[pos] <= '9')
                ++pos;
            m.fraction = s.sliced(start, pos - start);
            while (m.fraction.endsWith('0'))
                m.fraction.chop(1);
        }
    }
    qsizetype rest = pos;
    while (rest < s.size() && s[rest] == ' ')
        ++rest;
    if (rest < s.size()) {
        const bool pm = startsWithNoCase(s, rest, "pm");
        if (!pm && !startsWithNoCase(s, rest, "am"))
            return false;
        if (rest + 2 != s.size() || m.hour < 1 || m.hour > 12)
            return false;
        m.hour = (m.hour % 12) + (pm ? 12 : 0);
    }
    return m.hour <= 23;
}

bool readDate(QByteArrayView s, Moment& m)
{
    qsizetype pos = 0;
    const int first = readNumber(s, pos, 1, 4);
    if (first < 0 || pos >= s.size())
        return false;
    const char sep = s[pos];
    if (pos == 4 && sep >= '0' && sep <= '9') {
        // yyyymmdd
        m.year = first;
        m.month = readNumber(s, pos, 2, 2);
        m.day = readNumber(s, pos, 2, 2);
        if (m.month < 0 || (pos < s.size() && s[pos] >= '0' && s[pos] <= '9'))
            return false;
    } else if (sep != '-' && sep != '/' && sep != '.') {
        return false;
    } else if (pos == 4) {
        m.year = first;
        ++pos;
        m.month = readNumber(s, pos, 1, 2);
        if (m.month < 0 || pos >= s.size() || s[pos] != sep)
            return false;
        ++pos;
        m.day = readNumber(s, pos, 1, 2);
    } else {
        if (pos > 2)
            return false;
        m.day = first;
        ++pos;
        m.month = readNumber(s, pos, 1, 2);
        if (m.month < 0 || pos >= s.size() || s[pos] != sep)
            return false;
        ++pos;
        const qsizetype yearStart = pos;
        m.year = readNumber(s, pos, 2, 4);
        if (m.year < 0 || pos - yearStart == 3)
            return false;
        if (pos - yearStart == 2)
            m.year += m.year < 50 ? 2000 : 1900;
    }
    if (m.day < 0 || !validDay(m.year, m.month, m.day))
        return false;
    return readTime(s, pos, m);
}

} // namespace

namespace {

constexpr qsizetype kCanonical = 19;    // yyyy-mm-dd hh:mm:ss
constexpr qsizetype kLongestKey = 64;   // with a fraction of seconds, cut there

void writeDigits(char* out, int value, int digits)
{
    for (int i = digits - 1; i >= 0; --i) {
        out[i] = char('0' + value % 10);
        value /= 10;
    }
}

// The compared form of `text`, written into `buffer` when the text is a date, else the trimmed text.
QByteArrayView keyOf(QByteArrayView text, char (&buffer)[kLongestKey])
{
    qsizetype start = 0;
    while (start < text.size() && text[start] == ' ')
        ++start;
    const QByteArrayView s = withoutTrailingBlanks(text.sliced(start));
    Moment m;
    if (!readDate(s, m) || m.year > 9999)
        return s;
    char* out = buffer;
    writeDigits(out, m.year, 4);
    out[4] = '-';
    writeDigits(out + 5, m.month, 2);
    out[7] = '-';
    writeDigits(out + 8, m.day, 2);
    out[10] = ' ';
    writeDigits(out + 11, m.hour, 2);
    out[13] = ':';
    writeDigits(out + 14, m.minute, 2);
    out[16] = ':';
    writeDigits(out + 17, m.second, 2);
    qsizetype size = kCanonical;
    if (!m.fraction.isEmpty()) {
        const qsizetype digits = qMin(m.fraction.size(), kLongestKey - kCanonical - 1);
        out[size++] = '.';
        std::memcpy(out + size, m.fraction.data(), size_t(digits));
        size += digits;
    }
    return QByteArrayView(buffer, size);
}

} // namespace

QByteArray DateKey(QByteArrayView text)
{
    char buffer[kLongestKey];
    return keyOf(text, buffer).toByteArray();
}

int CompareDates(QByteArrayView a, QByteArrayView b)
{
    // Stored values are already in the compared form; only literals need reading.
    auto canonical = [](QByteArrayView s) {
        return s.size() == kCanonical && s[4] == '-' && s[7] == '-' && s[10] == ' ' && s[13] == ':';
    };
    if (canonical(a) && canonical(b))
        return sign(std::memcmp(a.data(), b.data(), kCanonical));
    char bufferA[kLongestKey];
    char bufferB[kLongestKey];
    return sign(keyOf(a, bufferA).compare(keyOf(b, bufferB)));
}

namespace {

QChar fold(QChar c)
{
    return c.toCaseFolded();
}

// Matches one pattern element at `p` against character `c`; `next` receives the element's end.
bool matchElement(QStringView pattern, qsizetype p, QChar c, QChar escape, qsizetype& next)
{
    const QChar folded = fold(c);
    if (!escape.isNull() && pattern[p] == escape && p + 1 < pattern.size()) {
        next = p + 2;
        return fold(pattern[p + 1]) == folded;
    }
    if (pattern[p] == u'_') {
        next = p + 1;
        return true;
    }
    if (pattern[p] == u'[') {
        qsizetype q = p + 1;
        const bool negate = q < pattern.size() && pattern[q] == u'^';
        if (negate)
            ++q;
        const qsizetype close = pattern.indexOf(u']', q + 1);
        if (q < pattern.size() && close > q) {
            bool inClass = false;
            for (qsizetype k = q; k < close; ++k) {
                if (k + 2 < close && pattern[k + 1] == u'-') {
                    inClass = inClass || (folded >= fold(pattern[k]) && folded <= fold(pattern[k + 2]));
                    k += 2;
                } else {
                    inClass = inClass || fold(pattern[k]) == folded;
                }
            }
            next = close + 1;
            return inClass != negate;
        }
    }
    next = p + 1;
    return fold(pattern[p]) == folded;
}

} // namespace

bool LikeMatch(QStringView text, QStringView pattern, QChar escape)
{
    // Greedy scan with one backtrack point: every element but % takes exactly one character.
    qsizetype t = 0;
    qsizetype p = 0;
    qsizetype starPattern = -1;
    qsizetype starText = 0;
    while (t < text.size()) {
        qsizetype next = 0;
        if (p < pattern.size() && pattern[p] == u'%') {
            starPattern = ++p;
            starText = t;
        } else if (p < pattern.size() && matchElement(pattern, p, text[t], escape, next)) {
            p = next;
            ++t;
        } else if (starPattern >= 0) {
            p = starPattern;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'%')
        ++p;
    return p == pattern.size();
}

} // namespace sqlcompat
