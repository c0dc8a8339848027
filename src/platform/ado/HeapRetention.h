#pragma once
// A recordset holds every row in memory; large ones are read again and again (reloads, lookups). The C
// library would hand the freed rows back to the system at once and fault the same pages in again for the
// next read, which costs more than reading the rows. Once per process, the first connection asks it to keep
// up to 256 MB of freed memory for reuse.

namespace ado {

void KeepFreedMemoryForReuse();

} // namespace ado
