#include "EngineLocks.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <QThread>
#include <fcntl.h>
#include <sqlite3.h>
#include <map>
#include <mutex>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace sqlcompat {

namespace {

// The shared bytes of the engine's lock page on this system: the byte at 1 GiB, one more, then these.
constexpr off_t kSharedFirst = 0x40000000 + 2;
constexpr off_t kSharedSize = 510;

// The lock bytes of a shared-memory file: the journal's own locks, then the one every connection that uses
// the file keeps while it does.
constexpr off_t kShmLocksFirst = 120;
constexpr off_t kShmLocksSize = 9;

flock writeLockOn(off_t first, off_t size)
{
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = first;
    lock.l_len = size;
    return lock;
}

// One descriptor of each file looked at, by its device and number, opened for writing where this user may.
class KeptDescriptors {
public:
    // The descriptor of the file `file` names now; -1 when there is none or it cannot be opened.
    int of(const QString& file)
    {
        const QByteArray name = QFile::encodeName(file);
        struct stat data {};
        if (::stat(name.constData(), &data) != 0)
            return -1;
        const std::lock_guard<std::mutex> hold(m_mutex);
        forgetFilesWithNoName();
        if (const auto kept = m_byFile.find({data.st_dev, data.st_ino}); kept != m_byFile.end())
            return kept->second;
        int fd = ::open(name.constData(), O_RDWR | O_CLOEXEC | O_NOCTTY);
        if (fd < 0)
            fd = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NOCTTY);
        if (fd < 0 || ::fstat(fd, &data) != 0)
            return fd < 0 ? -1 : keepAside(fd);
        // Another file may have been put at the name since it was looked at: the one opened is the one kept.
        const auto [kept, added] = m_byFile.emplace(std::make_pair(data.st_dev, data.st_ino), fd);
        return added ? fd : (keepAside(fd), kept->second);
    }

private:
    // A descriptor that is not needed is still never closed.
    int keepAside(int fd)
    {
        m_aside.push_back(fd);
        return -1;
    }

    void forgetFilesWithNoName()
    {
        for (auto it = m_byFile.begin(); it != m_byFile.end();) {
            struct stat data {};
            if (::fstat(it->second, &data) == 0 && data.st_nlink == 0) {
                ::close(it->second);
                it = m_byFile.erase(it);
            } else {
                ++it;
            }
        }
    }

    std::mutex m_mutex;
    std::map<std::pair<dev_t, ino_t>, int> m_byFile;
    std::vector<int> m_aside;
};

KeptDescriptors& kept()
{
    static KeptDescriptors descriptors;
    return descriptors;
}

// Whether some program (this one too) holds a lock on the bytes of `file` from `first`. An open-file-description
// lock is asked about: it conflicts with the engine's locks of this process too.
bool lockedBytes(const QString& file, off_t first, off_t size)
{
    const int fd = kept().of(file);
    struct flock lock = writeLockOn(first, size);
    return fd >= 0 && ::fcntl(fd, F_OFD_GETLK, &lock) == 0 && lock.l_type != F_UNLCK;
}

// Whether the engine keeps its changes in a journal beside the file (the header's read and write versions).
bool inJournalMode(const QString& file)
{
    char head[20] = {};
    return ReadHead(file, head, sizeof head) && head[18] == 2 && head[19] == 2;
}

} // namespace

bool HeldOpen(const QString& file)
{
    return lockedBytes(file, kSharedFirst, kSharedSize);
}

bool ReadHead(const QString& file, char* to, int size)
{
    const int fd = kept().of(file);
    return fd >= 0 && ::pread(fd, to, size_t(size), 0) == size;
}

bool RemoveWhileNobodyHasItOpen(const QString& file, const QStringList& paths)
{
    const int fd = kept().of(file);
    struct flock lock = writeLockOn(kSharedFirst, kSharedSize);
    if (fd < 0 || ::fcntl(fd, F_OFD_SETLK, &lock) != 0)
        return false;
    for (const QString& path : paths)
        QFile::remove(path);
    lock.l_type = F_UNLCK;
    ::fcntl(fd, F_OFD_SETLK, &lock);
    return true;
}

QString OpenUnderAnotherName(const QString& file)
{
    if (!inJournalMode(file))
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

QString JournalOfAnotherFile(const QString& file)
{
    // A connection locks the file before it takes up the shared memory, and lets the shared memory go before
    // it lets the file go: on the same file, the first is never seen held without the second.
    if (!lockedBytes(file + QStringLiteral("-shm"), kShmLocksFirst, kShmLocksSize) || HeldOpen(file))
        return QString();
    return QStringLiteral("La empresa \"%1\" no se puede abrir ahora: junto a su nombre están los archivos de trabajo "
                          "(-wal y -shm) de otra empresa, que una estación o programa tiene abierta. El archivo que "
                          "tenía este nombre se movió, o se renombró, mientras se trabajaba en él, y en su lugar se "
                          "puso otro. Abierta ahora, esta empresa tomaría los cambios de la otra, y se perdería lo que "
                          "grabaron las dos. Cierre la empresa en todas las estaciones y vuelva a abrirla.")
        .arg(QDir::toNativeSeparators(file));
}

bool NameLeftTheFile(sqlite3* db)
{
    int moved = 0;
    return sqlite3_file_control(db, "main", SQLITE_FCNTL_HAS_MOVED, &moved) == SQLITE_OK && moved != 0;
}

} // namespace sqlcompat
