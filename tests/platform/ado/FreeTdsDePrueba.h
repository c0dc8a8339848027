#pragma once
// The SQL Server road for a test: Qt's ODBC plugin and FreeTDS's ODBC driver, named in a driver list of the
// test's own folder, so nothing of the machine's ODBC settings is read or changed.

#include <QFile>
#include <QSqlDatabase>
#include <QString>

namespace FreeTdsDePrueba {

// The FreeTDS ODBC driver's library, where Debian and others put it; empty when none is found.
inline QString Biblioteca()
{
    for (const char* ruta : {"/usr/lib/x86_64-linux-gnu/odbc/libtdsodbc.so", "/usr/lib/aarch64-linux-gnu/odbc/libtdsodbc.so",
                             "/usr/lib/odbc/libtdsodbc.so", "/usr/lib64/libtdsodbc.so", "/usr/local/lib/libtdsodbc.so"})
        if (QFile::exists(QString::fromLatin1(ruta)))
            return QString::fromLatin1(ruta);
    return QString();
}

// Sets the road up with its files in `carpeta`; "" when ready, else why it cannot be (the test skips).
inline QString Preparar(const QString& carpeta)
{
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        return QStringLiteral("Qt's ODBC plugin (QODBC, Debian package libqt6sql6-odbc) is not installed");
    const QString biblioteca = Biblioteca();
    if (biblioteca.isEmpty())
        return QStringLiteral("the FreeTDS ODBC driver (libtdsodbc.so, Debian package tdsodbc) is not installed");
    QFile lista(carpeta + QStringLiteral("/odbcinst.ini"));
    const QByteArray texto = "[FreeTDS]\nDescription=FreeTDS\nDriver=" + biblioteca.toUtf8() + "\n";
    if (!lista.open(QIODevice::WriteOnly) || lista.write(texto) != texto.size())
        return QStringLiteral("cannot write the driver list in ") + carpeta;
    lista.close();
    qputenv("ODBCSYSINI", carpeta.toLocal8Bit());
    qputenv("ODBCINI", (carpeta + QStringLiteral("/odbc.ini")).toLocal8Bit());
    qunsetenv("CONCCUENTAS_ODBC_SQLSERVER");   // the default driver, FreeTDS
    return QString();
}

} // namespace FreeTdsDePrueba
