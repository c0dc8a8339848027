#pragma once
// What a reader without locks needs to know that the file did not change under it: the file's identity,
// length and times, whether a journal stands beside it and whether some connection has it open. Taken before
// and after a read, two equal snapshots mean that nobody wrote the file in between.

#include <QString>
#include <QtGlobal>

namespace sqlcompat {

struct FileSnapshot {
    quint64 device = 0;
    quint64 number = 0;
    qint64 size = -1;
    qint64 modified = 0;   // nanoseconds
    qint64 changed = 0;    // nanoseconds, the inode's own change time
    bool journal = false;  // a "-wal" beside it
    bool held = false;     // a connection of some program has it open

    bool operator==(const FileSnapshot&) const = default;
};

FileSnapshot SnapshotOf(const QString& file);

} // namespace sqlcompat
