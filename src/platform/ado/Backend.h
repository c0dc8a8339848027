#pragma once
// What a Connection needs from a database engine. Every method raises ado::Error on failure; the
// Connection records the error in its Errors list.

#include "Connection.h"
#include "Recordset.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>

namespace ado {

struct ConnectionTarget;
class QueryWait;

class Backend {
public:
    virtual ~Backend() = default;

    virtual BackendKind kind() const = 0;

    // Runs a statement or a batch; the rows the last INSERT/UPDATE/DELETE touched, -1 when none ran.
    // A batch stops at its first failing statement.
    virtual qint64 execute(const QString& sql) = 0;
    // Reads every row of the first statement of the text that returns columns.
    virtual RowSet query(const QString& sql) = 0;
    // The same rows in a recordset's compact store; by default copied from query(). With a wait, the embedded
    // engine reads aside while the wait runs the window's events (QueryWait.h); the servers ignore it.
    virtual StoredRows queryStored(const QString& sql, QueryWait* wait);
    // One statement with "?" markers bound to the values in order, prepared once per text and kept on the
    // connection; the rows it touched (-1 for a statement that changes none).
    virtual qint64 executeBound(const QString& sql, const QVector<Variant>& values) = 0;
    // The same for a query: every row it reads.
    virtual RowSet queryBound(const QString& sql, const QVector<Variant>& values) = 0;

    virtual void beginTransaction() = 0;
    virtual void commitTransaction() = 0;
    virtual void rollbackTransaction() = 0;
    virtual bool inTransaction() const = 0;

    virtual QStringList tableNames() = 0;
    virtual QStringList columnNames(const QString& table) = 0;
    virtual QStringList primaryKey(const QString& table) = 0;
    virtual QString quoteName(const QString& name) const = 0;

    // The connection's DefaultDatabase was set.
    virtual void useDatabase(const QString& name) = 0;
    // Read uncommitted (ADO's 256) or the engine's default, for the next transaction.
    virtual void setReadUncommitted(bool on) = 0;

    virtual QSqlDatabase database() const = 0;

    // Why this connection only reads; "" when it may write.
    virtual QString readOnlyReason() const { return QString(); }

    // Gives the engine's journal back to the disk, without waiting for anyone: true when it was emptied. The
    // servers keep their own logs: nothing to do.
    virtual bool trimJournal() noexcept { return false; }
    // The bytes the engine's journal takes on disk now (0 when there is none, and on the servers).
    virtual qint64 journalBytes() const noexcept { return 0; }

    // Closes the engine's connection now; the destructor does it too. The wait of a read may run it while that
    // read is under way: the read then ends as cancelled, and the object must outlive its call.
    virtual void close() noexcept {}

    // Receives every text sent to the engine.
    std::function<void(const QString&)> log;

protected:
    void logText(const QString& sql) const
    {
        if (log)
            log(sql);
    }
};

// The embedded engine on a file that must exist, have one name on the disk and be a database holding
// `requiredTables`; any other file is refused before anything is written to it or beside it. A file this
// user cannot write is refused, or opened read-only, as `unwritable` says.
std::unique_ptr<Backend> OpenSqliteBackend(const QString& file, const QStringList& requiredTables = {},
                                           UnwritableFile unwritable = UnwritableFile::Refuse);
// The seconds a server is given: to log in (0 or less: kDefaultLoginTimeout), and to finish each statement
// (0 or less: no limit).
struct OdbcTimeouts {
    int login = kDefaultLoginTimeout;
    int command = 0;
};
// SQL Server or Oracle through ODBC; the driver comes from CONCCUENTAS_ODBC_SQLSERVER (default "FreeTDS")
// or CONCCUENTAS_ODBC_ORACLE. The login runs with the notice of ConnectWaitNotice.h and ends at its time-out
// (SQLSTATE HYT00), or when the operator gives up (HY008), with an error naming the server.
std::unique_ptr<Backend> OpenOdbcBackend(const ConnectionTarget& target, const OdbcTimeouts& timeouts);

// A name no other open connection of this process uses.
QString UniqueConnectionName(const char* prefix);

} // namespace ado
