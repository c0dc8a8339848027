#pragma once
// How the engines' failures become the provider numbers the program tests:
//   integrity (constraint, duplicate key, NULL into NOT NULL)  -> kErrIntegrity      80040E2F, SQLSTATE 23000
//   missing table or view                                      -> kErrMissingObject  80040E37, SQLSTATE 42S02
//   syntax, unknown column, wrong number of values             -> kErrSyntax         80040E14, 42000 / 42S22
//   anything else                                              -> kErrOther          80004005, HY000
// A CHECK on a text's length stands for the server's "would be truncated" error: native 8152, 22001.

#include "Connection.h"
#include "Error.h"

#include <QString>

namespace ado {

// SQLite: the extended result code is the native error; the message decides between missing object and
// syntax, which share one code. A full disk (or the file-size limit reached: `systemErrno`, the system's
// error number behind an I/O error, tells), a damaged file, a file that cannot be written and a disk error
// are said in the suite's words first, the engine's text after them.
Error SqliteError(int extendedCode, const QString& message, int systemErrno = 0);

// ODBC: the driver's SQLSTATE decides when it is specific (23xxx, 42S02/S0002, 42S22/S0022, 42000/37000);
// then the server's native number (SQL Server, Oracle); then the message as the SQLite drivers write it.
// A native 8152 (SQL Server's truncation) is kept as is, numbered kErrOther.
Error OdbcError(BackendKind kind, const QString& sqlState, qint64 nativeError, const QString& message,
                const QString& source);

} // namespace ado
