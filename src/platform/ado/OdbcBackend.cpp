// SQL Server and Oracle through Qt's ODBC driver. Action statements go to the server as they are (the server reads
// T-SQL batches itself); decimals arrive as text and are read exactly. A query is judged before it leaves
// (PlainRead.h), and the server must run the text that was judged: SQL Server is handed it as the value of its
// own statement runner, which no driver rewrites; elsewhere the text goes as it is, so it may hold nothing a
// driver rewrites (DriverText.h).

#include "Backend.h"
#include "ColumnType.h"
#include "ConnectionText.h"
#include "DateText.h"
#include "DriverText.h"
#include "ErrorMapping.h"
#include "NationalText.h"
#include "OdbcDiagnostic.h"
#include "OdbcLogin.h"
#include "PlainRead.h"
#include "PreparedCache.h"
#include "SelectTable.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

namespace ado {

namespace {

QString driverFor(BackendKind kind)
{
    if (kind == BackendKind::Oracle)
        return qEnvironmentVariable("CONCCUENTAS_ODBC_ORACLE").trimmed();
    const QString name = qEnvironmentVariable("CONCCUENTAS_ODBC_SQLSERVER").trimmed();
    return name.isEmpty() ? QStringLiteral("FreeTDS") : name;
}

Variant fromQt(const QVariant& v, ColumnKind kind)
{
    if (v.isNull())
        return Variant::Null();
    switch (kind) {
    case ColumnKind::Boolean:
        return v.toBool();
    case ColumnKind::Long: {
        bool ok = false;
        const qint64 n = v.toLongLong(&ok);
        if (ok)
            return n;
        break;
    }
    case ColumnKind::Double: {
        bool ok = false;
        const double d = v.toDouble(&ok);
        if (ok)
            return d;
        break;
    }
    case ColumnKind::Currency: {
        const QString text = v.toString();
        if (auto c = Currency::parse(text))
            return *c;
        bool ok = false;
        const double d = text.toDouble(&ok);
        if (ok)
            return d;
        break;
    }
    case ColumnKind::Date: {
        if (v.metaType().id() == QMetaType::QDate)
            return NaiveDateTime(v.toDate());
        if (v.metaType().id() == QMetaType::QDateTime) {
            const QDateTime d = v.toDateTime();
            return NaiveDateTime(d.date(), d.time());
        }
        if (auto d = ParseDateText(v.toString()))
            return *d;
        break;
    }
    case ColumnKind::Auto:
    case ColumnKind::String:
        break;
    }
    return v.toString();
}

// SQL Server's statement runner, called with the text as its one value. The call is an escape the driver turns
// into a call of the procedure by name; a value is never scanned.
const QString kStatementRunner = QStringLiteral("{call sp_executesql(?)}");

QVariant toQt(const Variant& v)
{
    switch (v.type()) {
    case VarType::Empty:
    case VarType::Null: return QVariant(QMetaType::fromType<QString>());
    case VarType::Boolean: return v.toBool() ? 1 : 0;
    case VarType::Long: return v.toLong();
    case VarType::Double: return v.toDouble();
    case VarType::Currency: return v.toCurrency().toString();
    case VarType::Date: {
        const QDateTime d = v.toDate();
        return QDateTime(d.date(), d.time());
    }
    case VarType::String: return v.toString();
    }
    return QVariant();
}

class OdbcBackend final : public Backend {
public:
    OdbcBackend(BackendKind kind, QString name, QSqlDatabase db, QString database, QString source)
        : m_kind(kind), m_name(std::move(name)), m_db(std::move(db)), m_database(std::move(database)),
          m_source(std::move(source)),
          // What the driver says is at the other end: a driver standing in for SQL Server's may reach another
          // engine, which has no such runner.
          m_statementRunner(m_kind == BackendKind::SqlServer && CanBindNationalText() && m_db.driver()
                            && m_db.driver()->dbmsType() == QSqlDriver::MSSqlServer)
    {
    }

    ~OdbcBackend() override
    {
        m_prepared.clear();
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }

    BackendKind kind() const override { return m_kind; }

    qint64 execute(const QString& sql) override
    {
        refuseUnsendable(sql);
        QSqlQuery q(m_db);
        q.setForwardOnly(true);
        logText(sql);
        if (!q.exec(sql))
            fail(q);
        qint64 affected = q.isSelect() ? -1 : q.numRowsAffected();
        // Later statements of a batch report (and fail) as their results are reached.
        while (q.nextResult()) {
            if (!q.isSelect() && q.numRowsAffected() >= 0)
                affected = q.numRowsAffected();
        }
        if (q.lastError().type() != QSqlError::NoError)
            fail(q);
        return affected;
    }

    // A query runs one statement that only reads; anything else is refused before it reaches the server,
    // which runs a batch written without ";" too (PlainRead.h reads the text as this server does).
    RowSet query(const QString& sql) override
    {
        refuseUnsendable(sql);
        if (!IsPlainRead(sql, m_kind))
            throw refusal(QStringLiteral("Una consulta es una sola sentencia que solo lee datos; no se ejecutó: %1")
                              .arg(sql.trimmed()));
        if (m_statementRunner) {
            const std::shared_ptr<QSqlQuery> q = prepared(kStatementRunner);
            logText(sql);
            if (!ExecWithNationalText(*q, sql))
                fail(*q);
            RowSet result = readFirstRows(*q, sql);
            q->finish();
            return result;
        }
        if (DriverMayRewrite(sql))
            throw refusal(QStringLiteral("Una consulta no puede llevar llaves ({ }) ni la forma larga de una secuencia "
                                         "de escape (--(*) en este servidor: el controlador ODBC las reescribe antes "
                                         "de que el servidor lea el texto; no se ejecutó: %1")
                              .arg(sql.trimmed()));
        QSqlQuery q(m_db);
        q.setForwardOnly(true);
        q.setNumericalPrecisionPolicy(QSql::HighPrecision);
        logText(sql);
        if (!q.exec(sql))
            fail(q);
        return readFirstRows(q, sql);
    }

    qint64 executeBound(const QString& sql, const QVector<Variant>& values) override
    {
        const std::shared_ptr<QSqlQuery> q = boundQuery(sql, values);
        const qint64 affected = q->isSelect() ? -1 : q->numRowsAffected();
        q->finish();
        return affected;
    }

    RowSet queryBound(const QString& sql, const QVector<Variant>& values) override
    {
        const std::shared_ptr<QSqlQuery> q = boundQuery(sql, values);
        RowSet result = readRows(*q, sql);
        q->finish();
        return result;
    }

    void beginTransaction() override
    {
        if (m_readUncommitted && m_kind == BackendKind::SqlServer)
            execute(QStringLiteral("SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED"));
        logText(QStringLiteral("BEGIN TRANSACTION"));
        if (!m_db.transaction())
            failConnection();
        m_inTransaction = true;
    }

    void commitTransaction() override
    {
        logText(QStringLiteral("COMMIT TRANSACTION"));
        if (!m_db.commit())
            failConnection();
        m_inTransaction = false;
    }

    void rollbackTransaction() override
    {
        logText(QStringLiteral("ROLLBACK TRANSACTION"));
        if (!m_db.rollback())
            failConnection();
        m_inTransaction = false;
    }

    bool inTransaction() const override { return m_inTransaction; }

    QStringList tableNames() override { return m_db.tables(QSql::AllTables); }

    QStringList columnNames(const QString& table) override
    {
        QStringList names;
        const QSqlRecord r = m_db.record(table);
        for (int i = 0; i < r.count(); ++i)
            names << r.fieldName(i);
        return names;
    }

    QStringList primaryKey(const QString& table) override
    {
        QStringList names;
        const QSqlIndex index = m_db.primaryIndex(table);
        for (int i = 0; i < index.count(); ++i)
            names << index.fieldName(i);
        return names;
    }

    QString quoteName(const QString& name) const override
    {
        QString n = name;
        if (m_kind == BackendKind::Oracle) {
            n.replace(QLatin1Char('"'), QLatin1String("\"\""));
            return QLatin1Char('"') + n + QLatin1Char('"');
        }
        n.replace(QLatin1Char(']'), QLatin1String("]]"));
        return QLatin1Char('[') + n + QLatin1Char(']');
    }

    void useDatabase(const QString& name) override
    {
        // The connection text already named the database; only another one needs a USE.
        if (m_kind != BackendKind::SqlServer || name.trimmed().isEmpty()
            || name.trimmed().compare(m_database, Qt::CaseInsensitive) == 0)
            return;
        execute(QStringLiteral("USE ") + quoteName(name.trimmed()));
        m_database = name.trimmed();
    }

    void setReadUncommitted(bool on) override { m_readUncommitted = on; }

    QSqlDatabase database() const override { return m_db; }

private:
    Error refusal(const QString& why) const { return Error(kErrOther, why, m_source, QStringLiteral("42000")); }

    // A NUL or half a surrogate pair would end or change the text on its way: the server would run another one.
    void refuseUnsendable(const QString& sql) const
    {
        const qsizetype at = UnsendableCharacterAt(sql);
        if (at >= 0)
            throw refusal(QStringLiteral("El texto de la sentencia tiene un carácter que no se puede enviar al "
                                         "servidor (un carácter nulo o medio carácter Unicode) en la posición %1; "
                                         "no se ejecutó.")
                              .arg(at + 1));
    }

    // A one-statement text prepared once (the driver refuses a batch where it can tell), ready to run.
    std::shared_ptr<QSqlQuery> prepared(const QString& sql)
    {
        std::shared_ptr<QSqlQuery> q = m_prepared.get(sql, [this](const QString& text) {
            auto made = std::make_shared<QSqlQuery>(m_db);
            made->setForwardOnly(true);
            made->setNumericalPrecisionPolicy(QSql::HighPrecision);
            if (!made->prepare(text))
                fail(*made);
            return made;
        });
        if (q->isActive())
            q->finish();
        return q;
    }

    // A one-statement text prepared once, bound and run.
    std::shared_ptr<QSqlQuery> boundQuery(const QString& sql, const QVector<Variant>& values)
    {
        refuseUnsendable(sql);
        const std::shared_ptr<QSqlQuery> q = prepared(sql);
        logText(sql);
        for (int i = 0; i < values.size(); ++i)
            q->bindValue(i, toQt(values.at(i)));
        if (!q->exec())
            fail(*q);
        return q;
    }

    // The rows of the first result that has columns.
    RowSet readFirstRows(QSqlQuery& q, const QString& sql) const
    {
        while (!q.isSelect() && q.nextResult()) {
        }
        if (q.lastError().type() != QSqlError::NoError)
            fail(q);
        return readRows(q, sql);
    }

    RowSet readRows(QSqlQuery& q, const QString& sql) const
    {
        RowSet result;
        if (!q.isSelect())
            return result;
        result.table = SingleTableOf(sql);
        const QSqlRecord record = q.record();
        const int n = record.count();
        QVector<ColumnKind> kinds(n);
        for (int i = 0; i < n; ++i) {
            const QSqlField f = record.field(i);
            const ColumnType t = ColumnTypeFromOdbc(f.typeID(), f.length());
            kinds[i] = t.kind;
            result.fields.append({f.name(), t.definedSize, t.adoType});
        }
        while (q.next()) {
            QVector<Variant> row;
            row.reserve(n);
            for (int i = 0; i < n; ++i)
                row.append(fromQt(q.value(i), kinds[i]));
            result.rows.append(std::move(row));
        }
        if (q.lastError().type() != QSqlError::NoError)
            fail(q);
        return result;
    }

    [[noreturn]] void fail(const QSqlQuery& q) const
    {
        const QSqlError e = q.lastError();
        const OdbcDiagnostic d = StatementDiagnostic(q);
        const QString message = !e.databaseText().isEmpty() ? e.databaseText()
                              : !d.message.isEmpty()         ? d.message
                                                             : e.text();
        const qint64 native = e.nativeErrorCode().isEmpty() ? d.nativeError : e.nativeErrorCode().toLongLong();
        throw OdbcError(m_kind, d.sqlState, native, message, m_source);
    }

    [[noreturn]] void failConnection() const
    {
        const QSqlError e = m_db.lastError();
        throw OdbcError(m_kind, QString(), e.nativeErrorCode().toLongLong(),
                        e.databaseText().isEmpty() ? e.text() : e.databaseText(), m_source);
    }

    BackendKind m_kind;
    QString m_name;
    QSqlDatabase m_db;
    QString m_database;
    QString m_source;
    bool m_statementRunner;   // queries go as the value of SQL Server's sp_executesql
    bool m_inTransaction = false;
    bool m_readUncommitted = false;
    PreparedCache<QSqlQuery> m_prepared;
};

} // namespace

std::unique_ptr<Backend> OpenOdbcBackend(const ConnectionTarget& target, const OdbcTimeouts& timeouts)
{
    const QString driver = driverFor(target.kind);
    const QString source = QStringLiteral("ODBC %1").arg(driver);
    const auto cannotConnect = [&source](const QString& why, qint64 native = 0,
                                         const QString& state = QStringLiteral("08001")) {
        return Error(kErrOther, why, source, state, native);
    };
    if (driver.isEmpty())
        throw cannotConnect(QStringLiteral("No se indicó el controlador ODBC de Oracle: defina CONCCUENTAS_ODBC_ORACLE."));
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QODBC")))
        throw cannotConnect(QStringLiteral("Qt's ODBC driver (QODBC) is not installed."));
    const QString name = UniqueConnectionName("conc-ado-odbc");
    const QString server = target.server.trimmed();
    const QString database = target.kind == BackendKind::Oracle ? QString() : target.database.trimmed();
    const int seconds = timeouts.login > 0 ? timeouts.login : kDefaultLoginTimeout;
    const QString where = database.isEmpty() ? QStringLiteral(".") : QStringLiteral(" con la base de datos %1.").arg(database);
    const OdbcLogin login = OpenOdbcLogin(
        name, OdbcConnectionText(target, driver) + CommandTimeoutText(timeouts.command), seconds, server, database);
    switch (login.outcome) {
    case OdbcLogin::Opened:
        return std::make_unique<OdbcBackend>(target.kind, name, login.database, target.database.trimmed(), source);
    case OdbcLogin::TimedOut:
        throw cannotConnect(QStringLiteral("El servidor %1 no respondió en %2 segundos: no se pudo conectar%3")
                                .arg(server, QString::number(seconds), where),
                            0, QStringLiteral("HYT00"));
    case OdbcLogin::Cancelled:
        throw cannotConnect(QStringLiteral("Se dejó de esperar al servidor %1: no se conectó%2").arg(server, where),
                            0, QStringLiteral("HY008"));
    case OdbcLogin::Failed:
        break;
    }
    QString why = login.error.databaseText().trimmed();
    if (why.isEmpty())
        why = QStringLiteral("The ODBC driver \"%1\" could not connect to \"%2\".")
                  .arg(driver, target.kind == BackendKind::Oracle ? target.server : target.server + QLatin1Char('/') + target.database);
    throw cannotConnect(why, login.error.nativeErrorCode().toLongLong());
}

} // namespace ado
