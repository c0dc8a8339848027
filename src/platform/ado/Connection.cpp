#include "Connection.h"

#include "Backend.h"
#include "ConnectionText.h"
#include "Recordset.h"
#include "RowStatements.h"

#include <QSqlDatabase>
#include <atomic>

namespace ado {

namespace {

// A statement the server cancelled at the command time-out (ODBC's SQLSTATE for a time-out, in its 3.x or 2.x
// spelling), said so; the driver's own words follow.
Error explainedTimeout(const Error& e, int seconds)
{
    if ((e.SQLState != QLatin1String("HYT00") && e.SQLState != QLatin1String("S1T00")) || seconds <= 0)
        return e;
    Error said = e;
    said.Description = QStringLiteral("La sentencia no terminó en los %1 segundos del tiempo de espera de comandos: "
                                      "el servidor la canceló y no se completó.\r\n%2")
                           .arg(seconds)
                           .arg(e.Description);
    return said;
}

// Every call that reaches the database starts with an empty error list and leaves its failure in it.
template <class Call>
auto recorded(Errors& errors, int commandTimeout, Call&& call) -> decltype(call())
{
    errors.Clear();
    try {
        return call();
    } catch (const Error& e) {
        const Error said = explainedTimeout(e, commandTimeout);
        errors.Append(said);
        if (said.Description == e.Description)
            throw;
        throw said;
    }
}

} // namespace

QString UniqueConnectionName(const char* prefix)
{
    static std::atomic<int> counter{0};
    return QStringLiteral("%1-%2").arg(QLatin1String(prefix)).arg(++counter);
}

Connection::Connection() = default;

Connection::~Connection()
{
    Close();
}

void Connection::fail(const Error& e)
{
    throw e;
}

Backend& Connection::backend()
{
    if (!m_backend)
        fail(Error(kErrConnectionUnusable,
                   QStringLiteral("The connection cannot be used to perform this operation. It is either closed "
                                  "or invalid in this context.")));
    return *m_backend;
}

void Connection::Open(const QString& connectionString, const QString& user, const QString& password, int)
{
    recorded(m_errors, m_commandTimeout, [&] {
        if (m_backend)
            fail(Error(kErrObjectOpen, QStringLiteral("Operation is not allowed when the object is open.")));
        ConnectionTarget target = ParseConnectionText(connectionString);
        if (!user.isEmpty())
            target.user = user;
        if (!password.isEmpty())
            target.password = password;
        const bool server = target.kind != BackendKind::Sqlite;
        m_backend = server ? OpenOdbcBackend(target, OdbcTimeouts{ConnectionTimeout, CommandTimeout})
                           : OpenSqliteBackend(target.database.trimmed(), RequiredTables, WhenUnwritable);
        m_commandTimeout = server ? CommandTimeout : 0;
        m_backend->log = [this](const QString& sql) { log(sql); };
        m_connectionString = connectionString;
        m_defaultDatabase = target.kind == BackendKind::Oracle ? target.server : target.database.trimmed();
    });
}

void Connection::Close()
{
    if (m_backend)
        m_backend->close();
    m_backend.reset();
}

bool Connection::TrimJournal() noexcept
{
    return m_backend && m_backend->trimJournal();
}

bool Connection::TrimLargeJournal() noexcept
{
    return m_backend && m_backend->journalBytes() > kJournalKeptBytes && m_backend->trimJournal();
}

int Connection::State() const
{
    return m_backend ? adStateOpen : adStateClosed;
}

QString Connection::ReadOnlyReason() const
{
    return m_backend ? m_backend->readOnlyReason() : QString();
}

BackendKind Connection::Kind() const
{
    return m_backend ? m_backend->kind() : BackendKind::None;
}

void Connection::Execute(const QString& sql, qint64* recordsAffected, int)
{
    recorded(m_errors, m_commandTimeout, [&] {
        const qint64 n = backend().execute(sql);
        if (recordsAffected)
            *recordsAffected = n;
    });
}

qint64 Connection::ExecuteBound(const QString& sql, const QVector<Variant>& values)
{
    return recorded(m_errors, m_commandTimeout, [&] { return backend().executeBound(sql, values); });
}

RowSet Connection::QueryBound(const QString& sql, const QVector<Variant>& values)
{
    return recorded(m_errors, m_commandTimeout, [&] { return backend().queryBound(sql, values); });
}

void Connection::BeginTrans()
{
    recorded(m_errors, m_commandTimeout, [&] {
        Backend& b = backend();
        b.setReadUncommitted(IsolationLevel == 256);
        b.beginTransaction();
    });
}

void Connection::CommitTrans()
{
    recorded(m_errors, m_commandTimeout, [&] { backend().commitTransaction(); });
    TrimLargeJournal();
}

void Connection::RollbackTrans()
{
    recorded(m_errors, m_commandTimeout, [&] { backend().rollbackTransaction(); });
    TrimLargeJournal();
}

bool Connection::InTransaction() const
{
    return m_backend && m_backend->inTransaction();
}

void Connection::setDefaultDatabase(const QString& name)
{
    recorded(m_errors, m_commandTimeout, [&] {
        if (m_backend)
            m_backend->useDatabase(name);
        m_defaultDatabase = name;
    });
}

QStringList Connection::TableNames()
{
    return recorded(m_errors, m_commandTimeout, [&] { return backend().tableNames(); });
}

QStringList Connection::ColumnNames(const QString& table)
{
    return recorded(m_errors, m_commandTimeout, [&] { return backend().columnNames(table); });
}

RowSet Connection::Query(const QString& sql)
{
    return recorded(m_errors, m_commandTimeout, [&] { return backend().query(sql); });
}

StoredRows Connection::QueryStored(const QString& sql, QueryWait* wait)
{
    return recorded(m_errors, m_commandTimeout, [&] {
        backend();   // raises when closed
        // The wait's events may close the connection: the backend stays until the read's call has returned.
        const std::shared_ptr<Backend> reading = m_backend;
        return reading->queryStored(sql, wait);
    });
}

QStringList Connection::PrimaryKey(const QString& table)
{
    return recorded(m_errors, m_commandTimeout, [&] { return backend().primaryKey(table); });
}

void Connection::InsertRow(const QString& table, const QStringList& columns, const QVector<Variant>& values)
{
    recorded(m_errors, m_commandTimeout, [&] {
        Backend& b = backend();
        const BoundStatement s =
            BuildInsert(table, columns, values, [&b](const QString& n) { return b.quoteName(n); });
        b.executeBound(s.sql, s.values);
    });
}

void Connection::UpdateRow(const QString& table, const QStringList& columns, const QVector<Variant>& values,
                           const QStringList& keyColumns, const QVector<Variant>& keyValues)
{
    recorded(m_errors, m_commandTimeout, [&] {
        Backend& b = backend();
        const BoundStatement s = BuildUpdate(table, columns, values, keyColumns, keyValues,
                                             [&b](const QString& n) { return b.quoteName(n); });
        if (keyColumns.isEmpty() || b.executeBound(s.sql, s.values) == 0)
            fail(Error(kErrRowNotLocated, QStringLiteral("Row cannot be located for updating. Some values may "
                                                         "have been changed since it was last read.")));
    });
}

QSqlDatabase Connection::database() const
{
    return m_backend ? m_backend->database() : QSqlDatabase();
}

} // namespace ado
