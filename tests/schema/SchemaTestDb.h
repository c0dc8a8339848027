#pragma once
// A connection of the test's own to a company file, with the suite's collations, and one-value queries.

#include "platform/sqlite/TsqlCompat.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>
#include <QTest>

class SchemaTestDb {
public:
    explicit SchemaTestDb(const QString& file)
        : m_name(QStringLiteral("schema_test_%1").arg(quintptr(this)))
    {
        QString error;
        m_db = sqlcompat::Open(file, m_name, &error);
        if (!m_db.isOpen())
            qWarning("cannot open %s: %s", qPrintable(file), qPrintable(error));
    }
    ~SchemaTestDb()
    {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    SchemaTestDb(const SchemaTestDb&) = delete;
    SchemaTestDb& operator=(const SchemaTestDb&) = delete;

    bool isOpen() const { return m_db.isOpen(); }
    QSqlDatabase db() const { return m_db; }

    // Runs a statement; the error text, or "" when it succeeded.
    QString exec(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(m_db);
        if (!query.prepare(sql))
            return query.lastError().text();
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values.at(i));
        return query.exec() ? QString() : query.lastError().text();
    }

    // The first column of the first row; an invalid QVariant when there is no row or the query fails.
    QVariant scalar(const QString& sql, const QVariantList& values = {})
    {
        QSqlQuery query(m_db);
        query.setNumericalPrecisionPolicy(QSql::HighPrecision);
        if (!query.prepare(sql)) {
            qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
            return {};
        }
        for (int i = 0; i < values.size(); ++i)
            query.bindValue(i, values.at(i));
        if (!query.exec()) {
            qWarning("%s: %s", qPrintable(sql), qPrintable(query.lastError().text()));
            return {};
        }
        return query.next() ? query.value(0) : QVariant();
    }

    qint64 count(const QString& sql, const QVariantList& values = {}) { return scalar(sql, values).toLongLong(); }

    // Column names of a table or view, as declared.
    QStringList columns(const QString& table)
    {
        QStringList names;
        const QSqlRecord record = m_db.record(table);
        for (int i = 0; i < record.count(); ++i)
            names << record.fieldName(i);
        return names;
    }

private:
    QString m_name;
    QSqlDatabase m_db;
};
