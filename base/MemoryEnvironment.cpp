#include "base/MemoryEnvironment.h"

#include <malloc.h>

void SetMemoryEnvironment()
{
    constexpr int kMappedFrom = 1 << 20;
    mallopt(M_MMAP_THRESHOLD, kMappedFrom);
    // As the allocator's own rule would set it: freed memory at the top of the heap
    // is returned only past twice the mapping bound.
    mallopt(M_TRIM_THRESHOLD, 2 * kMappedFrom);
}
