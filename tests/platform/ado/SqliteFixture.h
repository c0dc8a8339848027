#pragma once
// A fresh company file of the embedded engine in a temporary folder, and the connection text that opens it.

#include "platform/sqlite/TsqlCompat.h"

#include <QSqlDatabase>
#include <QTemporaryDir>

class SqliteFixture {
public:
    SqliteFixture()
    {
        m_path = m_dir.filePath(QStringLiteral("empresa.db"));
        QString why;
        {
            QSqlDatabase db = sqlcompat::Open(m_path, QStringLiteral("ado-fixture"), &why);
            m_ok = db.isOpen();
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("ado-fixture"));
        if (!m_ok)
            qWarning("fixture: %s", qPrintable(why));
    }

    bool ok() const { return m_ok; }
    QString path() const { return m_path; }
    QString connectionText(const QString& password = {}) const
    {
        return QStringLiteral("PROVIDER=SQLOLEDB;Server=sqlite;Database =%1;UId=sa;Pwd=%2;").arg(m_path, password);
    }

private:
    QTemporaryDir m_dir;
    QString m_path;
    bool m_ok = false;
};
