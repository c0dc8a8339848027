#include "OdbcDiagnostic.h"

#include "OdbcHandle.h"

#ifdef CONC_HAVE_ODBC
#include <sql.h>
#include <sqlext.h>
#endif

namespace ado {

OdbcDiagnostic StatementDiagnostic(const QSqlQuery& query)
{
    OdbcDiagnostic d;
#ifdef CONC_HAVE_ODBC
    SQLHANDLE stmt = StatementHandle(query);
    if (!stmt)
        return d;
    SQLCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLCHAR message[1024] = {};
    SQLSMALLINT length = 0;
    const SQLRETURN rc = SQLGetDiagRec(SQL_HANDLE_STMT, stmt, 1, state, &native, message,
                                       SQLSMALLINT(sizeof message), &length);
    if (rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO) {
        d.sqlState = QString::fromLatin1(reinterpret_cast<const char*>(state));
        d.nativeError = native;
        d.message = QString::fromUtf8(reinterpret_cast<const char*>(message));
    }
#else
    Q_UNUSED(query);
#endif
    return d;
}

} // namespace ado
