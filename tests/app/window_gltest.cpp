#include "app/window.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

TEST(WindowRecord, FollowsTheSizeOfTheOpenWindow) {
    testsupport::requireGLContext();
    int width = 0;
    int height = 0;
    platform::glfwGetWindowSize(&width, &height);
    ASSERT_GE(width, 2);
    Window window;
    window.width = width + 10;
    EXPECT_FALSE(window.updateSize()) << "a record that opened nothing follows nothing";
    window.winOpen = true;
    window.changed = false;
    EXPECT_TRUE(window.updateSize());
    EXPECT_EQ(window.width, width);
    EXPECT_EQ(window.height, height);
    EXPECT_TRUE(window.changed);
    EXPECT_FALSE(window.updateSize());
}
