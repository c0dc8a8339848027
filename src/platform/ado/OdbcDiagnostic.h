#pragma once
// The first diagnostic record ODBC left on a failed statement: Qt's QSqlError carries the native number
// and the message but not the SQLSTATE, which the program's connection-retry box shows.

#include <QString>

class QSqlQuery;

namespace ado {

struct OdbcDiagnostic {
    QString sqlState;    // empty when none could be read
    qint64 nativeError = 0;
    QString message;
};

OdbcDiagnostic StatementDiagnostic(const QSqlQuery& query);

} // namespace ado
