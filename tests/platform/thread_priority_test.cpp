#include "platform/thread_priority.h"

#include <gtest/gtest.h>

#include <thread>

namespace {

TEST(ThreadPriority, OnlyTheCallingThreadGivesWay) {
    const int before = platform::thisThreadNiceness();
    ASSERT_LT(before, platform::kBackgroundNiceness);
    int inBackground = before;
    bool lowered = false;
    std::thread worker([&] {
        lowered = platform::runThisThreadInTheBackground();
        inBackground = platform::thisThreadNiceness();
    });
    worker.join();
    EXPECT_TRUE(lowered);
    EXPECT_EQ(inBackground, platform::kBackgroundNiceness);
    EXPECT_EQ(platform::thisThreadNiceness(), before) << "the game's own thread keeps its priority";
    // A thread started afterwards is not lowered either.
    int later = platform::kBackgroundNiceness;
    std::thread([&] { later = platform::thisThreadNiceness(); }).join();
    EXPECT_EQ(later, before);
}

} // namespace
