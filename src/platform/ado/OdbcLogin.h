#pragma once
// Opening an ODBC connection with an end: the driver logs in on a thread of its own, with the login time-out
// set, while the asking thread waits, showing the installed ConnectWaitNotice. A server that accepts the
// connection and never answers is given up at the time-out even when the driver itself would wait on.

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

namespace ado {

struct OdbcLogin {
    enum Outcome { Opened, Failed, TimedOut, Cancelled };
    Outcome outcome = Failed;
    QSqlDatabase database;   // open, and usable from the asking thread, when Opened
    QSqlError error;         // the driver's, when Failed
};

// Opens a QODBC connection of that name on the ODBC text, waiting at most `seconds` (above 0) for the login;
// `server` and `database` are what the notice names. A connection not Opened is removed again (by the login's
// thread, once the driver lets it go).
OdbcLogin OpenOdbcLogin(const QString& name, const QString& odbcText, int seconds, const QString& server,
                        const QString& database);

} // namespace ado
