#include "EngineLocks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace sqlcompat {

namespace {

// The shared bytes of the engine's lock page on this system: the byte at 1 GiB, one more, then these.
constexpr off_t kSharedFirst = 0x40000000 + 2;
constexpr off_t kSharedSize = 510;

flock writeLockOnSharedBytes()
{
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = kSharedFirst;
    lock.l_len = kSharedSize;
    return lock;
}

// Whether the engine keeps its changes in a journal beside the file (the header's read and write versions).
bool inJournalMode(int fd)
{
    unsigned char versions[2] = {0, 0};
    return ::pread(fd, versions, sizeof versions, 18) == 2 && versions[0] == 2 && versions[1] == 2;
}

} // namespace

bool HeldOpen(const QString& file)
{
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // An open-file-description lock is asked about: it conflicts with the engine's locks of this process too.
    struct flock lock = writeLockOnSharedBytes();
    const bool held = ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
    ::close(fd);
    return held;
}

bool HoldAlone(int fd)
{
    struct flock lock = writeLockOnSharedBytes();
    return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

QString OpenUnderAnotherName(const QString& file)
{
    const int fd = ::open(QFile::encodeName(file).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return QString();
    const bool journalMode = inJournalMode(fd);
    ::close(fd);
    if (!journalMode)
        return QString();
    // A connection takes its lock a moment before it makes its journal: a lock seen alone is looked at again.
    for (int look = 0; look < 3; ++look) {
        if (!HeldOpen(file) || QFileInfo::exists(file + QStringLiteral("-wal")))
            return QString();
        QThread::msleep(50);
    }
    return QStringLiteral("La empresa \"%1\" está abierta con otro nombre en otra estación o programa: su archivo "
                          "se renombró, o se le dio otro nombre, mientras se trabajaba en ella. Abierta con este "
                          "nombre llevaría sus cambios aparte, y se perdería lo que la otra estación grabó. Cierre la "
                          "empresa en todas las estaciones y vuelva a abrirla.")
        .arg(QDir::toNativeSeparators(file));
}

void SaveJournalOfMovedFile(sqlite3* db)
{
    int moved = 0;
    if (!db || sqlite3_file_control(db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) != SQLITE_OK || !moved
        || sqlite3_db_readonly(db, "main") != 0)
        return;
    // Nothing may wait here: a connection that still reads keeps its pages in the journal, and copies them
    // when it closes in turn.
    sqlite3_busy_handler(db, nullptr, nullptr);
    int frames = -1;
    int copied = -1;
    if (sqlite3_wal_checkpoint_v2(db, "main", SQLITE_CHECKPOINT_PASSIVE, &frames, &copied) == SQLITE_OK
        && frames == copied)
        sqlite3_wal_checkpoint_v2(db, "main", SQLITE_CHECKPOINT_TRUNCATE, nullptr, nullptr);
}

} // namespace sqlcompat
