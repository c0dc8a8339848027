#pragma once
// The collations and functions the company file needs, registered on one connection. Included by the
// program (after <sqlite3.h>) and by the loadable extension (after <sqlite3ext.h>, so that every call goes
// through the engine that loaded it): one source for both. Include after one of those headers only.

#include "TsqlCollations.h"
#include "TsqlCompat.h"

#include <QByteArrayView>
#include <QString>

namespace sqlcompat {
namespace registration {
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

// Registers both collations and the functions; SQLITE_OK, or the failing code with its name in `what`.
int RegisterCollationsAndFunctions(sqlite3* db, const char** what)
{
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    struct Collation {
        const char* name;
        int (*compare)(void*, int, const void*, int, const void*);
    };
    for (const Collation& c : {Collation{kTextCollation, textCollation}, Collation{kDateCollation, dateCollation}}) {
        const int rc = sqlite3_create_collation_v2(db, c.name, SQLITE_UTF8, nullptr, c.compare, nullptr);
        if (rc != SQLITE_OK) {
            *what = c.name;
            return rc;
        }
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
        if (rc != SQLITE_OK) {
            *what = f.name;
            return rc;
        }
    }
    return SQLITE_OK;
}

} // namespace
} // namespace registration
} // namespace sqlcompat
