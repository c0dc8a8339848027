#pragma once
// The ODBC statement handle under a query of Qt's ODBC driver, for what Qt does not do itself (read a failure's
// SQLSTATE, bind a national text).

class QSqlQuery;

namespace ado {

// The statement's handle (an SQLHSTMT); null when the query has none or is not an ODBC one.
void* StatementHandle(const QSqlQuery& query);

} // namespace ado
