#include "EngineFailure.h"

#include <cerrno>
#include <sqlite3.h>

namespace sqlcompat {

namespace {

// How the failure ends the sentence that names the company's file.
QString phrase(EngineFailure failure)
{
    switch (failure) {
    case EngineFailure::DiskFull:
        return QStringLiteral("no hay más lugar en el disco (o el archivo llegó al tamaño máximo permitido)");
    case EngineFailure::Damaged: return QStringLiteral("el archivo está dañado");
    case EngineFailure::ReadOnly:
        return QStringLiteral("este usuario no puede modificar el archivo o la carpeta que lo contiene");
    case EngineFailure::DiskError: return QStringLiteral("falló la lectura o la escritura del disco");
    case EngineFailure::CannotOpen: return QStringLiteral("el archivo no se puede abrir");
    case EngineFailure::Other: break;
    }
    return QStringLiteral("el motor de la base de datos no pudo abrirla");
}

} // namespace

int SystemErrorOf(sqlite3* db)
{
    if (!db)
        return 0;
    if (const int known = sqlite3_system_errno(db))
        return known;
    int last = 0;
    sqlite3_file* journal = nullptr;
    if (sqlite3_file_control(db, "main", SQLITE_FCNTL_JOURNAL_POINTER, &journal) == SQLITE_OK && journal
        && journal->pMethods)
        journal->pMethods->xFileControl(journal, SQLITE_FCNTL_LAST_ERRNO, &last);
    if (last == 0)
        sqlite3_file_control(db, "main", SQLITE_FCNTL_LAST_ERRNO, &last);
    return last;
}

EngineFailure FailureOf(int extendedCode, int systemErrno)
{
    switch (extendedCode & 0xff) {
    case SQLITE_FULL: return EngineFailure::DiskFull;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return EngineFailure::Damaged;
    case SQLITE_READONLY:
    case SQLITE_PERM: return EngineFailure::ReadOnly;
    case SQLITE_CANTOPEN: return EngineFailure::CannotOpen;
    case SQLITE_IOERR:
        // A write past the file-size limit (its signal ignored) or on a full disk can come back as an I/O
        // error when nothing of the write got through: it is the same full disk.
        if (systemErrno == ENOSPC || systemErrno == EFBIG || systemErrno == EDQUOT)
            return EngineFailure::DiskFull;
        if (systemErrno == EROFS || systemErrno == EACCES || systemErrno == EPERM)
            return EngineFailure::ReadOnly;
        return EngineFailure::DiskError;
    default: return EngineFailure::Other;
    }
}

QString FailureSentence(EngineFailure failure)
{
    switch (failure) {
    case EngineFailure::DiskFull:
        return QStringLiteral("No hay más lugar en el disco de la base de datos de la empresa (o el archivo llegó "
                              "al tamaño máximo permitido): lo que se estaba grabando no quedó grabado.");
    case EngineFailure::Damaged:
        return QStringLiteral("El archivo de la base de datos de la empresa está dañado: restáurelo de una copia "
                              "de respaldo.");
    case EngineFailure::ReadOnly:
        return QStringLiteral("No se puede grabar en la base de datos de la empresa: este usuario no puede "
                              "modificar su archivo o la carpeta que lo contiene.");
    case EngineFailure::DiskError:
        return QStringLiteral("Falló la lectura o la escritura del disco de la base de datos de la empresa.");
    case EngineFailure::CannotOpen:
        return QStringLiteral("No se pudo abrir el archivo de la base de datos de la empresa.");
    case EngineFailure::Other: break;
    }
    return QString();
}

QString OpenFailureText(const QString& file, EngineFailure failure, const QString& engineText)
{
    return QStringLiteral("No se pudo abrir la base de datos de la empresa \"%1\": %2.\r\n%3")
        .arg(file, phrase(failure), engineText);
}

} // namespace sqlcompat
