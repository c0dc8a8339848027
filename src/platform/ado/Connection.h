#pragma once
// The shared database connection, shaped like the ADO Connection the program was written against.
// Connection texts (ConnectionText.h has the reading rules):
//   "PROVIDER=SQLOLEDB;Server=<host>;Database =<db>;UId=<user>;Pwd=<password>;"  SQL Server through ODBC
//   "Provider=OraOLEDB.Oracle.1;Data Source=<tns>;User Id=<user>;Password=<pw>;"  Oracle through ODBC
//   a server equal to "sqlite" (any case) opens the embedded engine on the file named by the database,
//   which must exist.
// The ODBC driver is CONCCUENTAS_ODBC_SQLSERVER (default "FreeTDS") or CONCCUENTAS_ODBC_ORACLE. User and
// password may also be given apart from the text (they then win); in an ODBC text they are put in braces
// whenever they hold ";" or braces, so they cannot break it.
// Every failure raises ado::Error and leaves that error alone in Errors() (see Error.h for when it empties).
// On the embedded engine every text goes through sqlcompat::SplitBatch and sqlcompat::Rewrite; a batch runs
// its statements in order and stops at the first that fails (an open transaction stays open for the
// caller's ROLLBACK). On ODBC the text goes to the server unchanged.

#include "Error.h"
#include "Variant.h"

#include <QString>
#include <QStringList>
#include <QVector>
#include <functional>
#include <memory>

class QSqlDatabase;

namespace ado {

class Backend;
class QueryWait;
struct RowSet;
struct StoredRows;

enum class BackendKind { None, Sqlite, SqlServer, Oracle };

enum ObjectState { adStateClosed = 0, adStateOpen = 1 };

// What the embedded engine does with a company file this user may not write, or whose folder it may not write
// (the engine makes its journal there): refuse it with a message saying which (a program that writes must not
// start as if it could), or open it read-only, making nothing beside it (a program that only reads).
enum class UnwritableFile { Refuse, OpenReadOnly };
enum CursorLocationEnum { adUseServer = 2, adUseClient = 3 };

// The seconds a server is given to accept a login unless told otherwise, as ADO gives a connection.
inline constexpr int kDefaultLoginTimeout = 15;

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the connection; raises Error (and fills Errors()) on failure. Options are accepted and ignored.
    void Open(const QString& connectionString, const QString& user = {}, const QString& password = {},
              int options = -1);
    // Closes the connection. On the embedded engine the journal beside the company file is copied into it and
    // removed by the last connection to close, so a program that ends leaves nothing beside the company.
    // Closed by an event that a read's wait runs (QueryWait.h), it stops that read and closes at once; the
    // read's call ends as cancelled. The Connection object itself must outlive the call.
    void Close();
    // The embedded engine keeps its journal (the "-wal" file beside the company) at the largest size a
    // transaction made it, gigabytes after a large write. This copies what it holds into the company file and
    // cuts it to nothing, unless a transaction is open here or another connection still reads what it holds:
    // it is then left as it is, for a later call or the last close (nothing waits). True when it was emptied;
    // never raises; does nothing on the servers.
    bool TrimJournal() noexcept;
    // The same, only when the journal has grown past kJournalKeptBytes. Giving it back costs a wait (the file
    // cut and synced), and a small journal is written again from its start by the next transaction: it is kept
    // for that, and goes at the close. Every transaction ends with this, so a write that grew it past the size
    // gives it back at its own end, where the operator already waits for a long write, and one that found it
    // held by another station's read retries it.
    bool TrimLargeJournal() noexcept;
    static constexpr qint64 kJournalKeptBytes = 64LL * 1024 * 1024;
    int State() const;
    BackendKind Kind() const;

    // Runs one statement or a batch; recordsAffected receives the rows the last action statement touched
    // (-1 when none ran).
    void Execute(const QString& sql, qint64* recordsAffected = nullptr, int options = -1);

    // One statement with "?" markers, the values bound to them in order: values never pass through the
    // SQL text. The text is prepared once and kept on the connection (the last 16 texts), so a statement
    // run for every line costs one bind and one run; keep the text the same and vary only the values.
    // It must be exactly one statement (a second one raises an error naming the text); on the embedded
    // engine it is put into SQLite's dialect once, when it is prepared. Returns the rows it touched (-1
    // for a statement that changes none).
    qint64 ExecuteBound(const QString& sql, const QVector<Variant>& values);
    // The same for a query: every row it reads, as a recordset would hold them.
    RowSet QueryBound(const QString& sql, const QVector<Variant>& values);

    // Every transaction is a write transaction. On the embedded engine it takes the write lock when it
    // begins ("BEGIN IMMEDIATE"): a second station waits there for the first to finish, and a transaction
    // that reads before it writes can no longer fail at its first write. On the servers the driver's
    // transaction is used; the server locks what each statement touches.
    // IsolationLevel 256 (read uncommitted) is applied here on SQL Server, as ADO applies it at BeginTrans.
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const;

    Errors& errors() { return m_errors; }
    const Errors& errors() const { return m_errors; }

    QString ConnectionString() const { return m_connectionString; }
    int CursorLocation = adUseClient;    // recordsets are always client-side; kept for the program to read
    // Seconds a server is given to log the connection in (0 or less: kDefaultLoginTimeout). While it opens the
    // installed ConnectWaitNotice is shown; past it the open fails naming the server. Read by Open.
    int ConnectionTimeout = kDefaultLoginTimeout;
    // Seconds a server is given to finish each statement (0 or less: no limit); one that runs past it is
    // cancelled on the server and fails saying so. Read by Open on the servers: set it before opening. The
    // embedded engine keeps its own wait of up to 360 s for another station's lock (LockWaitNotice.h).
    int CommandTimeout = 30;
    int IsolationLevel = 4096;           // adXactCursorStability; 256 asks for read-uncommitted
    // The embedded engine opens only a file that is a database with these tables (names without regard
    // to case); a zero-byte file, a file that is no database or one without them is refused with one
    // clear error and left exactly as it was. Empty: any database.
    QStringList RequiredTables;
    // The embedded engine's choice for a company file that cannot be written. A file with more than one name
    // on the disk (a hard link) is refused either way, before the engine makes anything beside it.
    UnwritableFile WhenUnwritable = UnwritableFile::Refuse;
    // Why the open connection only reads ("" when it may write): the sentence of the file or folder that
    // cannot be written.
    QString ReadOnlyReason() const;
    // The database named in the connection text once open. Setting another one on SQL Server runs USE.
    QString DefaultDatabase() const { return m_defaultDatabase; }
    void setDefaultDatabase(const QString& name);

    // Schema lists: every table and view name; the column names of one table (empty when it has none).
    QStringList TableNames();
    QStringList ColumnNames(const QString& table);

    // Statement log for tests and diagnostics: every text sent to the backend, after any rewriting of ours.
    void setStatementLog(std::function<void(const QString&)> sink) { m_log = std::move(sink); }

    // Used by Recordset: the rows of a query; one new row; one changed row, found by the key values
    // (raises kErrRowNotLocated when no row has them). Values are bound, names quoted.
    RowSet Query(const QString& sql);
    // The same rows in the store a recordset keeps. With a wait, the embedded engine reads them aside while the
    // wait runs the window's events, and the wait's cancel stops the read (QueryWait.h).
    StoredRows QueryStored(const QString& sql, QueryWait* wait = nullptr);
    void InsertRow(const QString& table, const QStringList& columns, const QVector<Variant>& values);
    void UpdateRow(const QString& table, const QStringList& columns, const QVector<Variant>& values,
                   const QStringList& keyColumns, const QVector<Variant>& keyValues);
    QStringList PrimaryKey(const QString& table);
    // The underlying Qt connection (for benchmarks and the data generator); invalid when closed.
    QSqlDatabase database() const;

private:
    [[noreturn]] void fail(const Error& e);
    Backend& backend();   // raises 3709 when closed
    void log(const QString& sql) { if (m_log) m_log(sql); }

    // Shared with a read under way, which keeps it (closed) until its call returns.
    std::shared_ptr<Backend> m_backend;
    int m_commandTimeout = 0;   // the one the open connection applies
    Errors m_errors;
    QString m_connectionString;
    QString m_defaultDatabase;
    std::function<void(const QString&)> m_log;
};

} // namespace ado
