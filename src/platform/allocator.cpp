#include "platform/allocator.h"

#include <malloc.h>

namespace platform {

namespace {

// Blocks below this come from the heap instead of their own mmap.
constexpr int mmapThreshold = 64 * 1024 * 1024;
// Free memory at the top of the heap is kept up to this much.
constexpr int trimThreshold = 1024 * 1024 * 1024;

} // namespace

bool keepLargeAllocationsInHeap() {
    bool mmapSet = mallopt(M_MMAP_THRESHOLD, mmapThreshold) == 1;
    bool trimSet = mallopt(M_TRIM_THRESHOLD, trimThreshold) == 1;
    return mmapSet && trimSet;
}

} // namespace platform
