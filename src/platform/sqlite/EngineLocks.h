#pragma once
// What the engine's locks on a company file tell other programs. Every connection that has the file open, in
// any program, keeps a read lock on the shared bytes of the file's lock page (past any data, never written),
// and in journal (WAL) mode its journal stands beside the name it opened the file by. A lock with no journal
// beside the name at hand means the file is open under another name: a hard link made, or the file renamed,
// while a station worked on it.

#include <QString>

struct sqlite3;

namespace sqlcompat {

// Whether a connection of any program (this one too) has `file` open now.
bool HeldOpen(const QString& file);

// Whether no connection of any program has `file` open, seen through `fd` (opened for writing), which
// keeps the file to itself while `fd` stays open; false when another one has it.
bool HoldAlone(int fd);

// "" unless `file` (the real file, see CompanyFileName.h) is open in some program under another name; then a
// sentence for the operator. Opening it by this name would give it a second journal, and what was saved in
// the first one would be lost.
QString OpenUnderAnotherName(const QString& file);

// Before a connection closes: when its file was renamed, or its name removed, while it was open, the engine
// would leave what its journal holds beside a name that no longer reaches the file. Copies it into the file
// itself first (every page no other connection still reads, and the journal is then emptied when none does).
void SaveJournalOfMovedFile(sqlite3* db);

} // namespace sqlcompat
