// Registers on a connection what the suite's server provides and the embedded engine lacks, and opens
// the company file through QSQLITE with all of it in place.

#include "TsqlCompat.h"

#include "EngineFailure.h"
#include "FileCheck.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>
#include <sqlite3.h>

#include "SqliteRegistration.h"

namespace sqlcompat {

namespace {

bool fail(sqlite3* db, int rc, const QString& what, QString* error)
{
    if (error)
        *error = QStringLiteral("%1: %2").arg(what, QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
    return false;
}

// A read-only connection leaves the file's journal mode as it is: setting it would write.
bool install(sqlite3* db, bool readOnly, QString* error)
{
    if (!db)
        return fail(db, SQLITE_MISUSE, QStringLiteral("no database handle"), error);
    const char* what = "";
    const int registered = registration::RegisterCollationsAndFunctions(db, &what);
    if (registered != SQLITE_OK)
        return fail(db, registered, QString::fromLatin1(what), error);
    // The server waits for another station's locks up to the command timeout of 360 s.
    int rc = sqlite3_busy_timeout(db, 360000);
    if (rc != SQLITE_OK)
        return fail(db, rc, QStringLiteral("busy timeout"), error);
    // automatic_index: SQLite 3.40 loses join rows on columns whose collation ignores trailing blanks
    // when the planner builds an automatic index.
    for (const char* pragma : {"PRAGMA automatic_index=OFF", "PRAGMA foreign_keys=ON", "PRAGMA journal_mode=WAL"}) {
        if (readOnly && qstrcmp(pragma, "PRAGMA journal_mode=WAL") == 0)
            continue;
        rc = sqlite3_exec(db, pragma, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            return fail(db, rc, QString::fromLatin1(pragma), error);
    }
    return true;
}

} // namespace

bool Install(sqlite3* db, QString* error)
{
    return install(db, false, error);
}

bool InstallForReading(sqlite3* db, QString* error)
{
    return install(db, true, error);
}

QSqlDatabase Open(const QString& file, const QString& connectionName, bool readOnly, OpenFailure* failure)
{
    OpenFailure why;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        if (readOnly) {
            db.setDatabaseName(QString::fromUtf8(ReadOnlyUri(file)));
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_OPEN_URI"));
        } else {
            db.setDatabaseName(file);
        }
        if (!db.open()) {
            why.reason = QStringLiteral("cannot open %1: %2").arg(file, db.lastError().text());
            why.code = db.lastError().nativeErrorCode().toInt();
        } else {
            const QVariant handle = db.driver()->handle();
            sqlite3* raw = nullptr;
            if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
                raw = *static_cast<sqlite3* const*>(handle.data());
            if (!raw) {
                why.reason = QStringLiteral("%1: the SQLite driver gives no usable handle").arg(file);
            } else if (!install(raw, readOnly, &why.reason)) {
                why.reason = QStringLiteral("%1: %2").arg(file, why.reason);
                why.code = sqlite3_extended_errcode(raw);
                why.systemErrno = SystemErrorOf(raw);
            } else {
                return db;
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connectionName);
    if (failure)
        *failure = why;
    return QSqlDatabase();
}

QSqlDatabase Open(const QString& file, const QString& connectionName, QString* error)
{
    OpenFailure failure;
    QSqlDatabase db = Open(file, connectionName, false, &failure);
    if (error)
        *error = failure.reason;
    return db;
}

} // namespace sqlcompat
