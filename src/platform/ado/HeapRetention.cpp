#include "HeapRetention.h"

#include <mutex>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace ado {

void KeepFreedMemoryForReuse()
{
    static std::once_flag once;
    std::call_once(once, [] {
#if defined(__GLIBC__)
        // Freed memory at the top of the heap is kept up to this size instead of given back.
        mallopt(M_TRIM_THRESHOLD, 256 << 20);
        // Blocks up to this size come from the heap (and so are kept) rather than from their own mapping.
        mallopt(M_MMAP_THRESHOLD, 32 << 20);
#endif
    });
}

} // namespace ado
