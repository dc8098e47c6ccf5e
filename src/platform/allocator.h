#pragma once

namespace platform {

// Keeps glibc's allocator from handing large blocks back to the system after
// every use. Software GL drivers (llvmpipe) allocate and free big buffers on
// each draw; with the default thresholds each of them is a fresh mmap and a
// storm of page faults, which made a test scene five times slower. True when
// the allocator accepted both settings.
bool keepLargeAllocationsInHeap();

} // namespace platform
