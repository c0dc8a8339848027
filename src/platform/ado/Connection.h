#pragma once
// The shared database connection, shaped like the ADO Connection the program was written against.
// Connection texts:
//   "Provider=SQLOLEDB;...;Data Source=<server>;Initial Catalog=<db>;User Id=..;Password=.."  SQL Server (ODBC)
//   "Provider=OraOLEDB.Oracle.1;...;Data Source=<server>;..."                               Oracle (ODBC)
//   a Data Source equal to "sqlite" (any case) opens the embedded engine on the file named by Initial Catalog.
// User and password may also be given apart from the text; they never go into an ODBC text unquoted.

#include "Error.h"
#include "Variant.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

class QSqlDatabase;

namespace ado {

class Backend;
struct RowSet;

enum class BackendKind { None, Sqlite, SqlServer, Oracle };

enum ObjectState { adStateClosed = 0, adStateOpen = 1 };
enum CursorLocationEnum { adUseServer = 2, adUseClient = 3 };

class Connection {
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // Opens the connection; raises Error (and fills Errors()) on failure. Options are accepted and ignored.
    void Open(const QString& connectionString, const QString& user = {}, const QString& password = {},
              int options = -1);
    void Close();
    int State() const;
    BackendKind Kind() const;

    // Runs one statement or a batch; recordsAffected receives the rows the last action statement touched.
    void Execute(const QString& sql, qint64* recordsAffected = nullptr, int options = -1);

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool InTransaction() const;

    Errors& errors() { return m_errors; }
    const Errors& errors() const { return m_errors; }

    QString ConnectionString() const { return m_connectionString; }
    int CursorLocation = adUseClient;
    int CommandTimeout = 30;
    int IsolationLevel = 4096;           // adXactCursorStability; 256 asks for read-uncommitted
    QString DefaultDatabase() const { return m_defaultDatabase; }
    void setDefaultDatabase(const QString& name);

    // Schema lists: every table and view name; the column names of one table (empty when it has none).
    QStringList TableNames();
    QStringList ColumnNames(const QString& table);

    // Statement log for tests and diagnostics: every text sent to the backend, after any rewriting of ours.
    void setStatementLog(std::function<void(const QString&)> sink) { m_log = std::move(sink); }

    // Used by Recordset.
    RowSet Query(const QString& sql);
    // The underlying Qt connection (for benchmarks and the data generator).
    QSqlDatabase database() const;

private:
    void fail(const Error& e);
    void log(const QString& sql) { if (m_log) m_log(sql); }

    std::unique_ptr<Backend> m_backend;
    Errors m_errors;
    QString m_connectionString;
    QString m_defaultDatabase;
    std::function<void(const QString&)> m_log;
};

} // namespace ado
