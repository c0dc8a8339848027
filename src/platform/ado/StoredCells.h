#pragma once
// Where the embedded engine's rows go when a recordset is read: its compact cell store, the other of the two
// stores that readCell (SqliteCells.h) fills.

#include "CellStore.h"

namespace ado::sqliterows {

// The compact store of a recordset.
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

} // namespace ado::sqliterows
