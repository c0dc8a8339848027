#include "Connection.h"

#include "Backend.h"
#include "ConnectionText.h"
#include "Recordset.h"
#include "RowStatements.h"

#include <QSqlDatabase>
#include <atomic>

namespace ado {

namespace {

// Every call that reaches the database starts with an empty error list and leaves its failure in it.
template <class Call>
auto recorded(Errors& errors, Call&& call) -> decltype(call())
{
    errors.Clear();
    try {
        return call();
    } catch (const Error& e) {
        errors.Append(e);
        throw;
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
    recorded(m_errors, [&] {
        if (m_backend)
            fail(Error(kErrObjectOpen, QStringLiteral("Operation is not allowed when the object is open.")));
        ConnectionTarget target = ParseConnectionText(connectionString);
        if (!user.isEmpty())
            target.user = user;
        if (!password.isEmpty())
            target.password = password;
        m_backend = target.kind == BackendKind::Sqlite
            ? OpenSqliteBackend(target.database.trimmed(), RequiredTables, WhenUnwritable)
            : OpenOdbcBackend(target);
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
    recorded(m_errors, [&] {
        const qint64 n = backend().execute(sql);
        if (recordsAffected)
            *recordsAffected = n;
    });
}

qint64 Connection::ExecuteBound(const QString& sql, const QVector<Variant>& values)
{
    return recorded(m_errors, [&] { return backend().executeBound(sql, values); });
}

RowSet Connection::QueryBound(const QString& sql, const QVector<Variant>& values)
{
    return recorded(m_errors, [&] { return backend().queryBound(sql, values); });
}

void Connection::BeginTrans()
{
    recorded(m_errors, [&] {
        Backend& b = backend();
        b.setReadUncommitted(IsolationLevel == 256);
        b.beginTransaction();
    });
}

void Connection::CommitTrans()
{
    recorded(m_errors, [&] { backend().commitTransaction(); });
}

void Connection::RollbackTrans()
{
    recorded(m_errors, [&] { backend().rollbackTransaction(); });
}

bool Connection::InTransaction() const
{
    return m_backend && m_backend->inTransaction();
}

void Connection::setDefaultDatabase(const QString& name)
{
    recorded(m_errors, [&] {
        if (m_backend)
            m_backend->useDatabase(name);
        m_defaultDatabase = name;
    });
}

QStringList Connection::TableNames()
{
    return recorded(m_errors, [&] { return backend().tableNames(); });
}

QStringList Connection::ColumnNames(const QString& table)
{
    return recorded(m_errors, [&] { return backend().columnNames(table); });
}

RowSet Connection::Query(const QString& sql)
{
    return recorded(m_errors, [&] { return backend().query(sql); });
}

StoredRows Connection::QueryStored(const QString& sql, QueryWait* wait)
{
    return recorded(m_errors, [&] {
        backend();   // raises when closed
        // The wait's events may close the connection: the backend stays until the read's call has returned.
        const std::shared_ptr<Backend> reading = m_backend;
        return reading->queryStored(sql, wait);
    });
}

QStringList Connection::PrimaryKey(const QString& table)
{
    return recorded(m_errors, [&] { return backend().primaryKey(table); });
}

void Connection::InsertRow(const QString& table, const QStringList& columns, const QVector<Variant>& values)
{
    recorded(m_errors, [&] {
        Backend& b = backend();
        const BoundStatement s =
            BuildInsert(table, columns, values, [&b](const QString& n) { return b.quoteName(n); });
        b.executeBound(s.sql, s.values);
    });
}

void Connection::UpdateRow(const QString& table, const QStringList& columns, const QVector<Variant>& values,
                           const QStringList& keyColumns, const QVector<Variant>& keyValues)
{
    recorded(m_errors, [&] {
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
