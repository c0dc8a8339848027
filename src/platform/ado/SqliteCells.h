#pragma once
// The cells of a result row of the embedded engine, each read as its column's declared kind (dates and
// amounts from their stored text or number), and the two places rows go: rows of Variants for the
// connection's queries, the packed store for a recordset. Used only by the embedded engine's backend.

#include "CellStore.h"
#include "ColumnType.h"
#include "DateText.h"
#include "Error.h"
#include "Recordset.h"

#include <sqlite3.h>
#include <array>
#include <cstring>
#include <limits>
#include <string_view>
#include <vector>

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

// Where the rows read go: rows of Variants (each text shared with a recent equal one of its column)...
class VariantRows {
public:
    explicit VariantRows(RowSet* out) : m_out(out) {}
    void start(int columns)
    {
        m_columns = columns;
        m_texts.resize(size_t(columns));
    }
    void addNull() { m_row.append(Variant::Null()); }
    void addBoolean(bool v) { m_row.emplaceBack(v); }
    void addLong(qint64 v) { m_row.emplaceBack(v); }
    void addDouble(double v) { m_row.emplaceBack(v); }
    void addCurrency(Currency v) { m_row.emplaceBack(v); }
    void addDate(const QDateTime& v) { m_row.emplaceBack(v); }
    void addText(int column, const char* utf8, int bytes) { m_row.emplaceBack(m_texts[size_t(column)].get(utf8, bytes)); }
    void endRow()
    {
        m_out->rows.append(std::move(m_row));
        m_row = QVector<Variant>();
        m_row.reserve(m_columns);
    }
    qint64 size() const { return m_out->rows.size(); }
    VarType type(qint64 row, int column) const { return m_out->rows.at(row).at(column).type(); }

private:
    RowSet* m_out;
    int m_columns = 0;
    QVector<Variant> m_row;
    std::vector<RepeatedText> m_texts;
};

// ... or the compact store of a recordset.
class StoredCells {
public:
    explicit StoredCells(CellStore* out) : m_out(out) {}
    void start(int columns) { *m_out = CellStore(columns); }
    void addNull() { m_out->addNull(); }
    void addBoolean(bool v) { m_out->addBoolean(v); }
    void addLong(qint64 v) { m_out->addLong(v); }
    void addDouble(double v) { m_out->addDouble(v); }
    void addCurrency(Currency v) { m_out->addCurrency(v); }
    void addDate(const QDateTime& v) { m_out->addDate(v); }
    void addText(int, const char* utf8, int bytes) { m_out->addText(utf8, bytes); }
    void endRow() {}
    qint64 size() const { return m_out->size(); }
    VarType type(qint64 row, int column) const { return m_out->type(row, column); }

private:
    CellStore* m_out;
};

// Hands the value of column i to `rows` as the column's kind reads it.
template <class Rows>
void readCell(Rows& rows, sqlite3_stmt* st, int i, ColumnKind kind)
{
    // One call to the engine per cell: the column's value is read through the value interface, which
    // takes no lock. A connection is used by one thread at a time, so nothing else touches the statement
    // meanwhile.
    sqlite3_value* value = sqlite3_column_value(st, i);
    switch (sqlite3_value_type(value)) {
    case SQLITE_NULL:
        rows.addNull();
        return;
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_value_int64(value);
        switch (kind) {
        case ColumnKind::Currency:
            if (v <= std::numeric_limits<qint64>::max() / Currency::kScale
                && v >= std::numeric_limits<qint64>::min() / Currency::kScale)
                rows.addCurrency(Currency::fromLong(v));
            else
                rows.addDouble(double(v));
            return;
        case ColumnKind::Boolean: rows.addBoolean(v != 0); return;
        case ColumnKind::Double: rows.addDouble(double(v)); return;
        default: rows.addLong(v); return;
        }
    }
    case SQLITE_FLOAT: {
        const double v = sqlite3_value_double(value);
        if (kind == ColumnKind::Currency) {
            try {
                rows.addCurrency(Currency::fromDouble(v));
                return;
            } catch (const Error&) {
                // beyond the money range: keep the number rather than fail the read
            }
        }
        rows.addDouble(v);
        return;
    }
    default: {
        const char* text = reinterpret_cast<const char*>(sqlite3_value_text(value));
        const int bytes = sqlite3_value_bytes(value);
        if (kind == ColumnKind::Date) {
            if (auto d = ParseDateText(std::string_view(text, size_t(bytes)))) {
                rows.addDate(*d);
                return;
            }
        } else if (kind == ColumnKind::Currency) {
            if (auto c = Currency::parseAscii(std::string_view(text, size_t(bytes)))) {
                rows.addCurrency(*c);
                return;
            }
        }
        rows.addText(i, text, bytes);
        return;
    }
    }
}

} // namespace ado::sqliterows
