#include "FileCheck.h"

#include "EngineFailure.h"
#include "EngineLocks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>
#include <cerrno>
#include <fcntl.h>
#include <sqlite3.h>
#include <sys/stat.h>
#include <unistd.h>

namespace sqlcompat {

namespace {

// The first bytes of every SQLite database file.
constexpr char kHeader[] = "SQLite format 3";   // followed by a zero byte

bool hasDatabaseHeader(const QString& file)
{
    char head[sizeof kHeader] = {};
    return ReadHead(file, head, int(sizeof head)) && QByteArray(head, sizeof head) == QByteArray(kHeader, sizeof kHeader);
}

// The number of names the file has on its disk; 0 when it cannot be read.
nlink_t namesOf(const QString& file)
{
    struct stat data {};
    return ::stat(QFile::encodeName(file).constData(), &data) == 0 ? data.st_nlink : 0;
}

// Whether this user (the effective one, as the engine opens files) may do `what` on `path`; the system's
// error number when not.
int refusal(const QString& path, int what)
{
    return ::faccessat(AT_FDCWD, QFile::encodeName(path).constData(), what, AT_EACCESS) == 0 ? 0 : errno;
}

// Why `error` keeps this user from writing; `onIt` names what ("él", "ella").
QString becauseOf(int error, const char* onIt)
{
    if (error == EROFS)
        return QStringLiteral("está en un disco que solo se puede leer");
    return QStringLiteral("este usuario no tiene permiso para escribir en %1").arg(QString::fromUtf8(onIt));
}

} // namespace

EngineFiles EngineFilesOf(const QString& file)
{
    return {QFileInfo::exists(file + QStringLiteral("-wal")), QFileInfo::exists(file + QStringLiteral("-shm"))};
}

void RemoveStrayEngineFiles(const QString& file, const EngineFiles& before)
{
    // Files that were there already belong to a connection that had the file open.
    const EngineFiles now = EngineFilesOf(file);
    QStringList made;
    if (now.wal && !before.wal)
        made << file + QStringLiteral("-wal");
    if (now.shm && !before.shm)
        made << file + QStringLiteral("-shm");
    if (!made.isEmpty())
        RemoveWhileNobodyHasItOpen(file, made);
}

QByteArray ReadOnlyUri(const QString& file)
{
    QUrl url = QUrl::fromLocalFile(QFileInfo(file).absoluteFilePath());
    // Without locks only while nobody else can write: no journal beside it and no connection on it.
    const bool alone = !QFileInfo::exists(file + QStringLiteral("-wal")) && !HeldOpen(file);
    url.setQuery(alone ? QStringLiteral("immutable=1") : QStringLiteral("mode=ro"));
    return url.toEncoded();
}

QString WriteProblem(const QString& file)
{
    const QFileInfo info(file);
    if (const int error = refusal(info.absoluteFilePath(), W_OK))
        return QStringLiteral("El archivo de la empresa \"%1\" no se puede modificar: %2.")
            .arg(QDir::toNativeSeparators(file), becauseOf(error, "él"));
    const QString folder = info.absolutePath();
    if (const int error = refusal(folder, W_OK | X_OK))
        return QStringLiteral("La carpeta \"%1\" del archivo de la empresa no se puede modificar: %2, y el motor "
                              "de la base de datos lleva allí, junto al archivo, sus archivos de trabajo "
                              "(-wal y -shm).")
            .arg(QDir::toNativeSeparators(folder), becauseOf(error, "ella"));
    return QString();
}

QString FileProblem(const QString& file, const QStringList& requiredTables)
{
    const QFileInfo info(file);
    if (!info.isFile())
        return QStringLiteral("El archivo \"%1\" no existe.").arg(file);
    if (info.size() == 0)
        return QStringLiteral("El archivo \"%1\" está vacío: no es una base de datos de la empresa.").arg(file);
    if (const nlink_t names = namesOf(file); names > 1)
        return QStringLiteral("El archivo de la empresa \"%1\" tiene %2 nombres en el disco (enlaces duros). "
                              "El motor de la base de datos lleva sus cambios en un archivo junto al nombre con que "
                              "se abre, y con dos nombres llevaría dos y dañaría la empresa: se abre solo un archivo "
                              "con un único nombre. Cierre primero la empresa en todas las estaciones; después quite los otros "
                              "nombres y vuelva a intentarlo. Si el otro nombre se hizo para guardar un respaldo, "
                              "cópielo a un archivo aparte antes de quitarlo: copiar el archivo es la forma segura de "
                              "separar el respaldo de la empresa.")
            .arg(file)
            .arg(names);
    if (!hasDatabaseHeader(file))
        return QStringLiteral("El archivo \"%1\" no es una base de datos de la empresa.").arg(file);
    if (requiredTables.isEmpty())
        return QString();
    sqlite3* db = nullptr;
    QString problem;
    // A failure of the engine itself (a damaged file, a disk error) is said as such, before its own text.
    const auto engineFailure = [&] {
        return OpenFailureText(file,
                               db ? FailureOf(sqlite3_extended_errcode(db), SystemErrorOf(db))
                                  : EngineFailure::Other,
                               QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory"));
    };
    if (sqlite3_open_v2(ReadOnlyUri(file).constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr)
        != SQLITE_OK) {
        problem = engineFailure();
    } else {
        sqlite3_stmt* st = nullptr;
        const char* sql = "SELECT 1 FROM sqlite_master WHERE type IN ('table', 'view') AND name = ? COLLATE NOCASE";
        if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) != SQLITE_OK) {
            problem = engineFailure();
        } else {
            for (const QString& table : requiredTables) {
                const QByteArray name = table.toUtf8();
                sqlite3_bind_text(st, 1, name.constData(), int(name.size()), SQLITE_TRANSIENT);
                const int rc = sqlite3_step(st);
                if (rc != SQLITE_ROW)
                    problem = rc == SQLITE_DONE
                        ? QStringLiteral("El archivo \"%1\" no es una base de datos de la empresa: le falta la tabla %2.")
                              .arg(file, table)
                        : engineFailure();
                sqlite3_reset(st);
                if (!problem.isEmpty())
                    break;
            }
            sqlite3_finalize(st);
        }
    }
    sqlite3_close(db);
    return problem;
}

} // namespace sqlcompat
