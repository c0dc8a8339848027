#pragma once
// Reading the program's OLE DB connection texts and writing the ODBC texts that replace them.

#include "Connection.h"

#include <QList>
#include <QPair>
#include <QString>

namespace ado {

struct ConnectionTarget {
    BackendKind kind = BackendKind::None;
    QString provider;
    QString server;       // SQL Server host ("sqlite" for the embedded engine); Oracle: the data source
    QString database;     // SQL Server database; the embedded engine's file
    QString user;
    QString password;
    QList<QPair<QString, QString>> extra;   // other keys, in order, for the ODBC driver
};

// Reads "key=value;..." as the program builds it. Keys ignore case and blanks around them ("Database =").
// Values may be quoted with "...", '...' (doubled quote inside) or {...} ("}}" inside). A user or
// password value written without quotes runs on across ";" up to the next segment that starts with a
// known key, so "Pwd=a;b;" reads the password "a;b". Provider OraOLEDB (or any provider naming Oracle)
// gives Oracle with Data Source as its data source; otherwise a server of "sqlite" (any case) gives the
// embedded engine on the database file, and anything else SQL Server.
ConnectionTarget ParseConnectionText(const QString& text);

// An ODBC attribute value: as it is when it needs no quoting, else in braces with "}" doubled.
QString OdbcValue(const QString& value);

// The ODBC text for a SQL Server or Oracle target through the named driver. A "host,port" server becomes
// SERVER=host;PORT=port; "host\instance" is passed as it is (the driver asks the host for the instance's port).
// Through FreeTDS, SQL Server is asked for TDS 7.4 unless the text names a TDS_Version: FreeTDS reads no
// freetds.conf for a server given this way, and left to guess it falls back to a protocol SQL Server does not
// speak, after which its login time-out no longer ends the wait.
QString OdbcConnectionText(const ConnectionTarget& target, const QString& driver);

// The part of an ODBC text that has the driver manager (unixODBC) give every statement of the connection this
// query time-out in seconds, so the driver cancels a statement that runs past it; "" for 0 or less (no limit).
QString CommandTimeoutText(int seconds);

} // namespace ado
