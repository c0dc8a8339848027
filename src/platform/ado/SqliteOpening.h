#pragma once
// The two ways the embedded engine is opened on a company's real file once it has been looked at
// (OpenSqliteBackend in Backend.h does the looking): for work, or read-only and kept current.

#include "Backend.h"

namespace ado {

// One connection of the engine on `file`; read-only when `readOnlyReason` says why it cannot be written.
// Raises Error, in the suite's words, when the engine cannot open it, and leaves nothing made beside it.
std::unique_ptr<Backend> OpenSqliteEngine(const QString& file, const QString& readOnlyReason);

// A read-only connection on `file` whose every read shows the file as it is when asked, what other programs
// wrote since included.
std::unique_ptr<Backend> OpenCurrentReadOnly(const QString& file, const QString& readOnlyReason);

} // namespace ado
