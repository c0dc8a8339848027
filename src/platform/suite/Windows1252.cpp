#include "Windows1252.h"

namespace suite {
namespace {

// 0x80..0x9F; 0 marks the five bytes the code page leaves undefined (read back as the C1 control).
constexpr char16_t kHigh[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
    0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

char encodeOne(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i)
        if (kHigh[i] == c)
            return char(0x80 + i);
    if (c >= 0x80 && c < 0xA0 && kHigh[c - 0x80] == 0)
        return char(c);
    return '?';
}

} // namespace

QByteArray toWindows1252(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (QChar ch : text)
        out.append(encodeOne(ch.unicode()));
    return out;
}

QString fromWindows1252(const QByteArray& bytes)
{
    QString out;
    out.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        if (u >= 0x80 && u < 0xA0 && kHigh[u - 0x80] != 0)
            out.append(QChar(kHigh[u - 0x80]));
        else
            out.append(QChar(u));
    }
    return out;
}

} // namespace suite
