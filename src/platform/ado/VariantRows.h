#pragma once
// Where the embedded engine's query rows go when the connection returns them as rows of Variants: one of the
// two stores that readCell (SqliteCells.h) fills.

#include "Recordset.h"
#include "RepeatedText.h"

#include <vector>

namespace ado::sqliterows {

// Rows of Variants, each text shared with a recent equal one of its column.
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

} // namespace ado::sqliterows
