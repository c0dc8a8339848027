#include "FileCheck.h"

#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <sqlite3.h>

namespace sqlcompat {

namespace {

// The first bytes of every SQLite database file.
constexpr char kHeader[] = "SQLite format 3";   // followed by a zero byte

bool hasDatabaseHeader(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(sizeof kHeader);
    return head == QByteArray(kHeader, sizeof kHeader);
}

// Read-only, and without the shared-memory file when no other connection has the file open (no "-wal"
// beside it): every page is then in the file itself and nothing needs to be created to read it.
QByteArray readOnlyUri(const QString& file)
{
    QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    url.setQuery(QFileInfo::exists(file + QStringLiteral("-wal")) ? QStringLiteral("mode=ro")
                                                                   : QStringLiteral("immutable=1"));
    return url.toEncoded();
}

} // namespace

QString FileProblem(const QString& file, const QStringList& requiredTables)
{
    const QFileInfo info(file);
    if (!info.isFile())
        return QStringLiteral("El archivo \"%1\" no existe.").arg(file);
    if (info.size() == 0)
        return QStringLiteral("El archivo \"%1\" está vacío: no es una base de datos de la empresa.").arg(file);
    if (!hasDatabaseHeader(file))
        return QStringLiteral("El archivo \"%1\" no es una base de datos de la empresa.").arg(file);
    if (requiredTables.isEmpty())
        return QString();
    sqlite3* db = nullptr;
    QString problem;
    if (sqlite3_open_v2(readOnlyUri(file).constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr)
        != SQLITE_OK) {
        problem = QStringLiteral("El archivo \"%1\" no se puede leer: %2")
                      .arg(file, QString::fromUtf8(db ? sqlite3_errmsg(db) : "sin memoria"));
    } else {
        sqlite3_stmt* st = nullptr;
        const char* sql = "SELECT 1 FROM sqlite_master WHERE type IN ('table', 'view') AND name = ? COLLATE NOCASE";
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
            problem = QStringLiteral("El archivo \"%1\" no es una base de datos de la empresa: %2")
                          .arg(file, QString::fromUtf8(sqlite3_errmsg(db)));
        } else {
            for (const QString& table : requiredTables) {
                const QByteArray name = table.toUtf8();
                sqlite3_bind_text(st, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
                const int rc = sqlite3_step(st);
                sqlite3_reset(st);
                if (rc != SQLITE_ROW) {
                    problem = rc == SQLITE_DONE
                        ? QStringLiteral("El archivo \"%1\" no es una base de datos de la empresa: le falta la tabla %2.")
                              .arg(file, table)
                        : QStringLiteral("El archivo \"%1\" no es una base de datos de la empresa: %2")
                              .arg(file, QString::fromUtf8(sqlite3_errmsg(db)));
                    break;
                }
            }
            sqlite3_finalize(st);
        }
    }
    sqlite3_close(db);
    return problem;
}

} // namespace sqlcompat
