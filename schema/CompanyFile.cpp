#include "CompanyFile.h"

#include "platform/sqlite/TsqlCompat.h"

#include <QAtomicInteger>
#include <QSqlDriver>
#include <QSqlError>
#include <sqlite3.h>

namespace schema {

namespace {

QString uniqueConnectionName()
{
    static QAtomicInteger<quint64> counter;
    return QStringLiteral("conc_schema_%1").arg(counter.fetchAndAddRelaxed(1));
}

QString failure(const QString& what, const QSqlError& error)
{
    return QStringLiteral("%1: %2").arg(what, error.text());
}

} // namespace

CompanyFile::CompanyFile(const QString& file) : m_file(file), m_connectionName(uniqueConnectionName()) {}

CompanyFile::~CompanyFile()
{
    if (!QSqlDatabase::contains(m_connectionName))
        return;
    {
        QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(m_connectionName);
}

void CompanyFile::open()
{
    QString error;
    QSqlDatabase db = sqlcompat::Open(m_file, m_connectionName, &error);
    if (!db.isOpen())
        throw GenerationError(error);
}

QSqlDatabase CompanyFile::db() const
{
    return QSqlDatabase::database(m_connectionName, false);
}

void CompanyFile::exec(const QString& sql)
{
    QSqlQuery query(db());
    if (!query.exec(sql))
        throw GenerationError(failure(sql.simplified(), query.lastError()));
}

void CompanyFile::begin()
{
    QSqlDatabase database = db();
    if (!database.transaction())
        throw GenerationError(failure(QStringLiteral("BEGIN"), database.lastError()));
}

void CompanyFile::commit()
{
    QSqlDatabase database = db();
    if (!database.commit())
        throw GenerationError(failure(QStringLiteral("COMMIT"), database.lastError()));
}

RowWriter::RowWriter(const QSqlDatabase& db, const QString& table, const QStringList& columns)
    : m_table(table), m_columns(int(columns.size()))
{
    const QVariant handle = db.driver()->handle();
    if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
        m_db = *static_cast<sqlite3* const*>(handle.data());
    if (!m_db)
        throw GenerationError(QStringLiteral("%1: the connection gives no SQLite handle").arg(table));
    QStringList marks;
    for (int i = 0; i < m_columns; ++i)
        marks << QStringLiteral("?");
    const QByteArray sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                               .arg(table, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))
                               .toUtf8();
    if (sqlite3_prepare_v2(m_db, sql.constData(), int(sql.size()), &m_statement, nullptr) != SQLITE_OK)
        fail(QString::fromUtf8(sql));
}

RowWriter::~RowWriter()
{
    sqlite3_finalize(m_statement);
}

void RowWriter::fail(const QString& what) const
{
    throw GenerationError(QStringLiteral("%1: %2").arg(what, QString::fromUtf8(sqlite3_errmsg(m_db))));
}

void RowWriter::add(const QVariantList& values)
{
    if (values.size() != m_columns)
        throw GenerationError(
            QStringLiteral("%1: %2 values for %3 columns").arg(m_table).arg(values.size()).arg(m_columns));
    int rc = SQLITE_OK;
    for (int i = 0; i < m_columns && rc == SQLITE_OK; ++i) {
        const QVariant& value = values.at(i);
        if (value.isNull()) {
            rc = sqlite3_bind_null(m_statement, i + 1);
            continue;
        }
        switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::LongLong:
        case QMetaType::Bool:
            rc = sqlite3_bind_int64(m_statement, i + 1, value.toLongLong());
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(m_statement, i + 1, value.toDouble());
            break;
        default: {
            const QByteArray text = value.toString().toUtf8();
            rc = sqlite3_bind_text(m_statement, i + 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        }
        }
    }
    if (rc == SQLITE_OK)
        rc = sqlite3_step(m_statement);
    sqlite3_reset(m_statement);
    sqlite3_clear_bindings(m_statement);
    if (rc != SQLITE_DONE)
        fail(QStringLiteral("INSERT INTO %1").arg(m_table));
}

QVariant AmountValue(Amount amount)
{
    // A double holds every four-decimal amount of this range closely enough to read back exactly.
    return QVariant(double(amount) / double(kUnits));
}

Amount RoundToCents(Amount amount)
{
    const Amount cent = kUnits / 100;
    const Amount half = cent / 2;
    return amount >= 0 ? (amount + half) / cent * cent : -((-amount + half) / cent * cent);
}

Amount Percent(Amount amount, int percent)
{
    return RoundToCents(amount * percent / 100);
}

QVariant DateValue(const QDate& date)
{
    if (!date.isValid())
        return QVariant(QMetaType::fromType<QString>());
    return date.toString(QStringLiteral("yyyy-MM-dd 00:00:00"));
}

QVariant DateTimeValue(const QDateTime& moment)
{
    if (!moment.isValid())
        return QVariant(QMetaType::fromType<QString>());
    return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QVariant TextOrNull(const QString& text)
{
    if (text.isEmpty())
        return QVariant(QMetaType::fromType<QString>());
    return text;
}

} // namespace schema
