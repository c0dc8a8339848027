#pragma once
// A fresh company file of the embedded engine in a temporary folder, and the connection text that opens it.

#include "platform/ado/Connection.h"
#include "platform/ado/Error.h"
#include "platform/sqlite/TsqlCompat.h"

#include <QSqlDatabase>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <sqlite3.h>

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

// The file, and a connection open on it.
struct OpenSqlite {
    SqliteFixture file;
    ado::Connection cn;
    OpenSqlite()
    {
        if (file.ok())
            cn.Open(file.connectionText());
    }
};

// The number of the ado::Error a call raises; 0 when it raises none.
inline qint64 AdoErrorNumber(const std::function<void()>& call)
{
    try {
        call();
    } catch (const ado::Error& e) {
        return e.Number;
    }
    return 0;
}

// A second station on the same file through the bare engine, without our lock-wait handling: it fails at
// once where it would wait.
class OtherStation {
public:
    explicit OtherStation(const QString& path)
    {
        sqlite3_open_v2(path.toUtf8().constData(), &m_db, SQLITE_OPEN_READWRITE, nullptr);
    }
    ~OtherStation() { sqlite3_close(m_db); }
    OtherStation(const OtherStation&) = delete;
    OtherStation& operator=(const OtherStation&) = delete;
    int exec(const char* sql) { return sqlite3_exec(m_db, sql, nullptr, nullptr, nullptr); }

private:
    sqlite3* m_db = nullptr;
};
