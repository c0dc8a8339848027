#pragma once
// The one table a simple query reads ("SELECT ... FROM t [WHERE ...] [ORDER BY ...]"), which is where a
// recordset's AddNew/Update write.

#include <QString>

namespace ado {

// The table name without brackets or quotes; empty when the query reads from more than one table, a
// join, a subquery in FROM, or is no SELECT.
QString SingleTableOf(const QString& sql);

} // namespace ado
