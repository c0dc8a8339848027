#pragma once
// A text handed to the server as a national (UTF-16) value of a prepared statement. Qt's ODBC driver binds a
// text as single-byte characters when the driver is FreeTDS, which the server then receives as varchar: SQL
// Server's statement runner refuses that, and characters beyond the code page would be lost. Here the value is
// bound on the statement's own ODBC handle, as UTF-16, and the driver passes it on untouched.

#include <QString>

class QSqlQuery;

namespace ado {

// Whether this build reaches the ODBC handles (it was built with the ODBC headers).
bool CanBindNationalText();

// Runs the prepared `query`, whose one marker takes `text` as a national text; the query's exec() result.
// False, with nothing sent, when the statement's handle cannot be reached or the value not bound.
bool ExecWithNationalText(QSqlQuery& query, const QString& text);

} // namespace ado
