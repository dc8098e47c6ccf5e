#include "platform/allocator.h"

#include <gtest/gtest.h>

#include <malloc.h>

#include <cstdlib>
#include <cstring>

namespace {

// Bytes currently held in blocks that got their own mmap.
[[maybe_unused]] size_t mappedBytes() {
    return mallinfo2().hblkhd;
}

TEST(Allocator, LargeBlocksStayInTheHeapAfterTuning) {
#if defined(__SANITIZE_ADDRESS__)
    GTEST_SKIP() << "the sanitizer's allocator replaces glibc's";
#else
    ASSERT_TRUE(platform::keepLargeAllocationsInHeap());
    size_t before = mappedBytes();
    // 16 MiB: far above glibc's default threshold (at most 32 MiB dynamic, 128 KiB
    // at start), below the tuned one.
    void* block = std::malloc(16 * 1024 * 1024);
    ASSERT_NE(block, nullptr);
    std::memset(block, 1, 4096);
    EXPECT_EQ(mappedBytes(), before);
    std::free(block);
#endif
}

} // namespace
