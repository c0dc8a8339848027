#pragma once
// What the engine's locks on a company file tell other programs. Every connection that has the file open, in
// any program, keeps a read lock on the shared bytes of the file's lock page (past any data, never written),
// and in journal (WAL) mode its journal stands beside the name it opened the file by, with a shared-memory
// file ("-shm") on which it keeps a lock of its own. A lock with no journal beside the name at hand means the
// file is open under another name: a hard link made, or the file renamed, while a station worked on it. A
// shared-memory file held while the file at its name is not means the journal belongs to another file.
//
// The engine's locks belong to the process, and closing any descriptor of a file drops every one the process
// holds on it: a look never closes one. Each file looked at keeps one descriptor for the life of the process,
// given up only once the file has no name left on the disk (nobody can open it any more).

#include <QString>
#include <QStringList>

struct sqlite3;

namespace sqlcompat {

// Whether a connection of any program (this one too) has `file` open now.
bool HeldOpen(const QString& file);

// The first `size` bytes of `file` into `to`, read on its kept descriptor; false when they cannot all be read.
bool ReadHead(const QString& file, char* to, int size);

// Removes each of `paths` while no connection of any program has `file` open, holding the file to itself
// meanwhile (every open connection keeps a read lock on it); false, and nothing removed, when one has it.
bool RemoveWhileNobodyHasItOpen(const QString& file, const QStringList& paths);

// "" unless `file` (the real file, see CompanyFileName.h) is open in some program under another name; then a
// sentence for the operator. Opening it by this name would give it a second journal, and what was saved in
// the first one would be lost.
QString OpenUnderAnotherName(const QString& file);

// "" unless the journal beside `file`'s name is in use by a connection to another file: the file that had
// this name was moved away, or renamed, while a station worked on it, and another was put in its place. Then a
// sentence for the operator. Opened now, this file would be read and written through the other file's
// journal, and whichever station closed last would write one company's changes into the other.
QString JournalOfAnotherFile(const QString& file);

// Whether the name `db` opened its file by no longer reaches that file: the file was renamed or moved, or its
// name removed, since. A connection opened now by that name would be on another file, or on none.
bool NameLeftTheFile(sqlite3* db);

} // namespace sqlcompat
