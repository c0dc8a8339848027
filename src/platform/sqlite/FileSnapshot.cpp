#include "FileSnapshot.h"

#include "EngineLocks.h"

#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

namespace sqlcompat {

FileSnapshot SnapshotOf(const QString& file)
{
    FileSnapshot s;
    struct stat data {};
    if (::stat(QFile::encodeName(file).constData(), &data) == 0) {
        s.device = quint64(data.st_dev);
        s.number = quint64(data.st_ino);
        s.size = qint64(data.st_size);
        s.modified = qint64(data.st_mtim.tv_sec) * 1000000000 + data.st_mtim.tv_nsec;
        s.changed = qint64(data.st_ctim.tv_sec) * 1000000000 + data.st_ctim.tv_nsec;
    }
    s.journal = QFileInfo::exists(file + QStringLiteral("-wal"));
    s.held = HeldOpen(file);
    return s;
}

} // namespace sqlcompat
