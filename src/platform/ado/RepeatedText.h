#pragma once
// The text of a result column of the embedded engine, shared with a recent equal value of the same column
// rather than decoded and stored again. Used by the rows of Variants the embedded engine's queries return.

#include <QString>
#include <array>
#include <cstring>

namespace ado::sqliterows {

// Columns of codes (account, branch, voucher type, user...) repeat a few values on every row: the text of a
// recent value is shared instead of decoded and stored again. A column whose values rarely repeat stops
// looking.
class RepeatedText {
public:
    QString get(const char* utf8, int bytes)
    {
        const bool look = m_looking && bytes <= kMaxBytes;
        if (look) {
            for (const Entry& e : m_entries) {
                if (e.bytes == bytes && memcmp(e.utf8, utf8, size_t(bytes)) == 0) {
                    ++m_hits;
                    return e.text;
                }
            }
        }
        QString text = QString::fromUtf8(utf8, bytes);
        if (look) {
            Entry& e = m_entries[m_next++ % kEntries];
            memcpy(e.utf8, utf8, size_t(bytes));
            e.bytes = bytes;
            e.text = text;
            if (++m_misses > 64 && m_misses > 4 * m_hits)
                m_looking = false;
        }
        return text;
    }

private:
    static constexpr int kMaxBytes = 24;
    static constexpr int kEntries = 4;
    struct Entry {
        char utf8[kMaxBytes];
        int bytes = -1;
        QString text;
    };
    std::array<Entry, kEntries> m_entries;
    int m_next = 0;
    int m_hits = 0;
    int m_misses = 0;
    bool m_looking = true;
};

} // namespace ado::sqliterows
