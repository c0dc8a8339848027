#include "NationalText.h"

#include "OdbcHandle.h"

#include <QSqlQuery>

#include <algorithm>

#ifdef CONC_HAVE_ODBC
#include <sql.h>
#include <sqlext.h>
#endif

namespace ado {

bool CanBindNationalText()
{
#ifdef CONC_HAVE_ODBC
    return sizeof(SQLWCHAR) == sizeof(char16_t);
#else
    return false;
#endif
}

bool ExecWithNationalText(QSqlQuery& query, const QString& text)
{
#ifdef CONC_HAVE_ODBC
    if (!CanBindNationalText())
        return false;
    SQLHANDLE stmt = StatementHandle(query);
    if (!stmt)
        return false;
    // The driver reads the value and its length when the statement runs: both live until exec() returns. The
    // binding is dropped after a run; after a failure it stays until the next run binds anew, so that the
    // failure's diagnostics are still there to be read.
    SQLLEN length = SQLLEN(text.size()) * SQLLEN(sizeof(SQLWCHAR));
    const SQLRETURN bound = SQLBindParameter(stmt, 1, SQL_PARAM_INPUT, SQL_C_WCHAR, SQL_WLONGVARCHAR,
                                             SQLULEN(std::max<qsizetype>(text.size(), 1)), 0,
                                             const_cast<ushort*>(text.utf16()), length, &length);
    if (!SQL_SUCCEEDED(bound))
        return false;
    const bool ran = query.exec();
    if (ran)
        SQLFreeStmt(stmt, SQL_RESET_PARAMS);
    return ran;
#else
    Q_UNUSED(query);
    Q_UNUSED(text);
    return false;
#endif
}

} // namespace ado
