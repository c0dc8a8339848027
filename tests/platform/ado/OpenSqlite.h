#pragma once
// A fresh company file of the embedded engine with a connection open on it.

#include "SqliteFixture.h"
#include "platform/ado/Connection.h"

struct OpenSqlite {
    SqliteFixture file;
    ado::Connection cn;
    OpenSqlite()
    {
        if (file.ok())
            cn.Open(file.connectionText());
    }
};
