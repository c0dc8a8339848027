#pragma once
// A second station on the same file through the bare engine, without our lock-wait handling: it fails at
// once where it would wait.

#include <QString>
#include <sqlite3.h>

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
