#include "Backend.h"

namespace ado {

StoredRows Backend::queryStored(const QString& sql, QueryWait*)
{
    RowSet read = query(sql);
    StoredRows stored;
    stored.table = std::move(read.table);
    stored.fields = std::move(read.fields);
    stored.rows = CellStore(int(stored.fields.size()));
    for (const QVector<Variant>& row : std::as_const(read.rows))
        stored.rows.appendRow(row);
    return stored;
}

} // namespace ado
