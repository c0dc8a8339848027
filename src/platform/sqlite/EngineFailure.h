#pragma once
// What went wrong with the company's file, told apart from SQLite's result code and the system's error number
// behind it, and said in the suite's words before the engine's own English text: the operator learns that the
// disk is full or the file damaged or closed to writing, not only "disk I/O error".

#include <QString>

struct sqlite3;

namespace sqlcompat {

enum class EngineFailure {
    Other,        // any other failure: the engine's text alone says it
    DiskFull,     // no room left, or the file-size limit reached (ENOSPC, EFBIG, EDQUOT behind an I/O error)
    Damaged,      // the file is not a sound database
    ReadOnly,     // the file or its folder cannot be written
    DiskError,    // another failure reading or writing the disk
    CannotOpen,   // the file could not be opened at all
};

// The system's error number behind the last failure on `db`: the engine's own record of it, else what its
// database and journal files last met (a failed write records it only there); 0 when unknown.
int SystemErrorOf(sqlite3* db);

// `extendedCode` is sqlite3_extended_errcode, `systemErrno` SystemErrorOf (0 when unknown).
EngineFailure FailureOf(int extendedCode, int systemErrno);

// The operator's words for a failure while working on the company's file ("" for Other), to stand before the
// engine's text.
QString FailureSentence(EngineFailure failure);

// The message of a company file that could not be opened: the suite's words naming the file and the failure,
// then the engine's text on a line of its own.
QString OpenFailureText(const QString& file, EngineFailure failure, const QString& engineText);

} // namespace sqlcompat
