#pragma once
// The cells of a recordset's rows packed in one byte buffer. A row of Variants costs an allocation per row
// and per text and 32 bytes per cell, Null or not; here a row is one byte per cell saying its kind,
// followed by the values that take room: nothing for Null and Booleans, 4 or 8 bytes for a number, date or
// amount, the UTF-8 bytes of a text after their length. A large result is read at about the speed the
// engine gives it, in a fraction of the memory, and a cell becomes a Variant (its text a QString) only when
// it is read.
//
// Values read back exactly as they were added, with their kind: a date as its naive date and time, an
// amount as its Currency. Rows are added cell by cell in column order; a whole row can be replaced. Reading
// one cell walks the cells before it in its row; row() reads a whole row in one pass.

#include "Variant.h"

#include <QVarLengthArray>
#include <QVector>
#include <cstring>
#include <limits>

namespace ado {

class CellStore {
public:
    explicit CellStore(int columns = 0) : m_columns(columns) {}
    CellStore(const CellStore& other);
    CellStore& operator=(const CellStore& other);
    CellStore(CellStore&& other) noexcept { swap(other); }
    CellStore& operator=(CellStore&& other) noexcept
    {
        swap(other);
        return *this;
    }
    ~CellStore();

    int columnCount() const { return m_columns; }
    qint64 size() const { return m_rowStarts.size(); }
    bool isEmpty() const { return m_rowStarts.isEmpty(); }

    // The next cell of the row being added; a row is complete after columnCount() of them.
    void addNull() { put(Kind::Null); }
    void addBoolean(bool v) { put(v ? Kind::True : Kind::False); }
    void addLong(qint64 v)
    {
        if (v >= std::numeric_limits<qint32>::min() && v <= std::numeric_limits<qint32>::max())
            putBytes(Kind::Long32, qint32(v));
        else
            putBytes(Kind::Long, v);
    }
    void addDouble(double v) { putBytes(Kind::Double, v); }
    void addCurrency(Currency v) { putBytes(Kind::Currency, v.scaled()); }
    void addDate(const QDateTime& v);
    void addText(const char* utf8, qsizetype bytes);
    void addText(const QString& v);
    void addValue(const Variant& v);

    void appendRow(const QVector<Variant>& row);
    void setRow(qint64 row, const QVector<Variant>& values);

    Variant value(qint64 row, int column) const;
    VarType type(qint64 row, int column) const;
    QVector<Variant> row(qint64 row) const;

    // Where each cell of one row lies, found in one pass, so that reading several cells of the row costs
    // no walk each. Good until the store changes.
    class RowCells {
    private:
        friend class CellStore;
        qsizetype m_kinds = 0;
        QVarLengthArray<qsizetype, 64> m_values;
    };
    RowCells cells(qint64 row) const;
    Variant value(const RowCells& cells, int column) const;

private:
    enum class Kind : quint8 { Null, False, True, Long32, Long, Double, Currency, Date, Text, Other };

    void swap(CellStore& other) noexcept;
    // Room for `bytes` more at the end of the buffer; the new room's address.
    char* grow(qsizetype bytes)
    {
        if (m_size + bytes > m_capacity)
            reserveBytes(m_size + bytes);
        char* at = m_bytes + m_size;
        m_size += bytes;
        return at;
    }
    void reserveBytes(qsizetype needed);
    // The kind of the next cell; a new row's kinds are laid out when its first cell comes.
    void put(Kind kind)
    {
        if (m_nextColumn == 0) {
            m_rowStart = m_size;
            m_rowStarts.append(m_rowStart);
            grow(m_columns);
        }
        m_bytes[m_rowStart + m_nextColumn] = char(kind);
        if (++m_nextColumn == m_columns)
            m_nextColumn = 0;
    }
    template <class T>
    void putBytes(Kind kind, T value)
    {
        put(kind);
        std::memcpy(grow(sizeof value), &value, sizeof value);
    }
    // The kind and the value bytes of a cell, from `at` (its value) on; the address past the value.
    const char* skip(Kind kind, const char* at) const;
    Variant decode(Kind kind, const char* at) const;

    int m_columns = 0;
    int m_nextColumn = 0;
    char* m_bytes = nullptr;
    qsizetype m_size = 0;
    qsizetype m_capacity = 0;
    qsizetype m_rowStart = 0;         // where the kinds of the row being added begin
    QVector<qsizetype> m_rowStarts;   // where each row's kinds begin
    QVector<Variant> m_others;        // what has no packed form: Empty, an invalid or zoned date
};

} // namespace ado
