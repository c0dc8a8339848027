// Registers on a connection what the suite's server provides and the embedded engine lacks, and opens
// the company file through QSQLITE with all of it in place.

#include "TsqlCollations.h"
#include "TsqlCompat.h"

#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QVariant>
#include <sqlite3.h>

namespace sqlcompat {

namespace {

QByteArrayView bytesOf(const void* data, int size)
{
    return QByteArrayView(static_cast<const char*>(data), size);
}

int textCollation(void*, int na, const void* a, int nb, const void* b)
{
    return CompareText(bytesOf(a, na), bytesOf(b, nb));
}

int dateCollation(void*, int na, const void* a, int nb, const void* b)
{
    return CompareDates(bytesOf(a, na), bytesOf(b, nb));
}

QByteArrayView textArgument(sqlite3_value* value)
{
    const unsigned char* text = sqlite3_value_text(value);
    return bytesOf(text, sqlite3_value_bytes(value));
}

// LEN: characters without the trailing blanks; NULL stays NULL.
void lenFunction(sqlite3_context* context, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    QByteArrayView text = textArgument(argv[0]);
    while (!text.isEmpty() && text.back() == ' ')
        text.chop(1);
    sqlite3_int64 characters = 0;
    for (char byte : text) {
        if ((byte & 0xC0) != 0x80)
            ++characters;
    }
    sqlite3_result_int64(context, characters);
}

// like(pattern, text[, escape]), which is how the engine calls "text LIKE pattern [ESCAPE e]".
void likeFunction(sqlite3_context* context, int argc, sqlite3_value** argv)
{
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) == SQLITE_NULL) {
            sqlite3_result_null(context);
            return;
        }
    }
    QChar escape;
    if (argc == 3) {
        const QString e = QString::fromUtf8(textArgument(argv[2]));
        if (e.size() != 1) {
            sqlite3_result_error(context, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e[0];
    }
    const QString pattern = QString::fromUtf8(textArgument(argv[0]));
    const QString text = QString::fromUtf8(textArgument(argv[1]));
    sqlite3_result_int(context, LikeMatch(text, pattern, escape) ? 1 : 0);
}

bool fail(sqlite3* db, int rc, const QString& what, QString* error)
{
    if (error)
        *error = QStringLiteral("%1: %2").arg(what, QString::fromUtf8(db ? sqlite3_errmsg(db) : sqlite3_errstr(rc)));
    return false;
}

} // namespace

bool Install(sqlite3* db, QString* error)
{
    if (!db)
        return fail(db, SQLITE_MISUSE, QStringLiteral("no database handle"), error);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    struct Collation {
        const char* name;
        int (*compare)(void*, int, const void*, int, const void*);
    };
    for (const Collation& c : {Collation{kTextCollation, textCollation}, Collation{kDateCollation, dateCollation}}) {
        const int rc = sqlite3_create_collation_v2(db, c.name, SQLITE_UTF8, nullptr, c.compare, nullptr);
        if (rc != SQLITE_OK)
            return fail(db, rc, QStringLiteral("collation %1").arg(QLatin1String(c.name)), error);
    }
    struct Function {
        const char* name;
        int arguments;
        void (*call)(sqlite3_context*, int, sqlite3_value**);
    };
    for (const Function& f : {Function{"len", 1, lenFunction}, Function{"like", 2, likeFunction},
                              Function{"like", 3, likeFunction}}) {
        const int rc = sqlite3_create_function_v2(db, f.name, f.arguments, flags, nullptr, f.call, nullptr,
                                                  nullptr, nullptr);
        if (rc != SQLITE_OK)
            return fail(db, rc, QStringLiteral("function %1").arg(QLatin1String(f.name)), error);
    }
    // The server waits for another station's locks up to the command timeout of 360 s.
    int rc = sqlite3_busy_timeout(db, 360000);
    if (rc != SQLITE_OK)
        return fail(db, rc, QStringLiteral("busy timeout"), error);
    // automatic_index: SQLite 3.40 loses join rows on columns whose collation ignores trailing blanks
    // when the planner builds an automatic index.
    for (const char* pragma : {"PRAGMA automatic_index=OFF", "PRAGMA foreign_keys=ON", "PRAGMA journal_mode=WAL"}) {
        rc = sqlite3_exec(db, pragma, nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            return fail(db, rc, QString::fromLatin1(pragma), error);
    }
    return true;
}

QSqlDatabase Open(const QString& file, const QString& connectionName, QString* error)
{
    QString reason;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connectionName);
        db.setDatabaseName(file);
        if (!db.open()) {
            reason = QStringLiteral("cannot open %1: %2").arg(file, db.lastError().text());
        } else {
            const QVariant handle = db.driver()->handle();
            sqlite3* raw = nullptr;
            if (handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0)
                raw = *static_cast<sqlite3* const*>(handle.data());
            if (!raw)
                reason = QStringLiteral("%1: the SQLite driver gives no usable handle").arg(file);
            else if (!Install(raw, &reason))
                reason = QStringLiteral("%1: %2").arg(file, reason);
            else
                return db;
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connectionName);
    if (error)
        *error = reason;
    return QSqlDatabase();
}

} // namespace sqlcompat
