#include "app/window.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

TEST(WindowRecord, ProjectionIsRebuiltOnlyWhenMarkedChanged) {
    Window window;
    window.width = 1024;
    window.height = 768;
    glm::mat4 first = window.getProjMat();
    EXPECT_FALSE(window.changed);
    // x and y scale relate by the aspect ratio: an integer ratio would make them equal.
    EXPECT_FLOAT_EQ(first[1][1] / first[0][0], 4.0f / 3.0f);

    window.width = 200;
    EXPECT_EQ(window.getProjMat(), first);

    window.changed = true;
    glm::mat4 rebuilt = window.getProjMat();
    EXPECT_FLOAT_EQ(rebuilt[1][1] / rebuilt[0][0], 200.0f / 768.0f);
}

// A failed open is the end-to-end test of an unavailable GL version.
TEST(WindowRecord, OpeningAnOpenRecordOpensNothing) {
    Window window;
    window.winOpen = true;
    window.changed = false;
    testing::internal::CaptureStderr();
    EXPECT_TRUE(window.open());
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_FALSE(window.changed);
}

} // namespace
