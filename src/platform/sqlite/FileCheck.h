#pragma once
// Looks at a file before it is opened for work: opening a file that is no database, or a database of
// something else, would turn it into one (the engine writes its journal mode into it and adds files beside
// it); opening one file under two names would give it two journals; opening a file that cannot be written
// would leave the engine's files beside it and fail at the first write. The look itself writes nothing and
// leaves no file behind. Each look takes the real file (CompanyFileName.h), the one the engine opens.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace sqlcompat {

// "" when `file` is an SQLite database with one name on the disk, holding every table (or view) of
// `requiredTables` (names without regard to case); otherwise why not, as a message for the operator. A file
// with more than one name (a hard link) is refused: the engine keeps its journal beside the name it was
// opened by, so two programs opening it by two names would each write a journal of their own and damage it.
QString FileProblem(const QString& file, const QStringList& requiredTables);

// "" when this user may write `file` and the folder that holds it (where the engine makes its journal and
// shared-memory files); otherwise which of them cannot be written, as a sentence for the operator.
QString WriteProblem(const QString& file);

// The URI that opens `file` read-only without making anything beside it: without locks or the shared-memory
// file (immutable) while no connection of any program has the file open and no "-wal" stands beside it, every
// page then being in the file itself; plain read-only otherwise, so that what the journal holds is read too.
// Immutable holds only for as long as that lasts: its reader must look again before it trusts what it read
// (FileSnapshot.h).
QByteArray ReadOnlyUri(const QString& file);

// Which of the engine's own files ("-wal", "-shm") stand beside `file` now.
struct EngineFiles {
    bool wal = false;
    bool shm = false;
};
EngineFiles EngineFilesOf(const QString& file);

// After an open of `file` failed: removes the engine's files that it left beside it where `before` had none,
// once no connection of any program has the file open (every open connection keeps a shared lock on it), so
// nothing is taken from under another program.
void RemoveStrayEngineFiles(const QString& file, const EngineFiles& before);

} // namespace sqlcompat
