#include "platform/glfw_compat.h"
#include "support/gl_context.h"

#include <gtest/gtest.h>

namespace {

// The window counts every press it reports, several before a read too, and
// no repeat of a held key. The events go through the callback the window
// registered, as GLFW hands them over while it polls.
TEST(WindowKeyPresses, EveryReportedPressCountsOnceUntilTaken) {
    testsupport::requireGLContext();
    GLFWwindow* window = glfwGetCurrentContext();
    ASSERT_NE(window, nullptr);
    const GLFWkeyfun report = glfwSetKeyCallback(window, nullptr);
    glfwSetKeyCallback(window, report);
    ASSERT_NE(report, nullptr) << "the window reports no key events to the game";
    platform::takeKeyPresses(GLFW_KEY_C);

    for (int tap = 0; tap < 3; ++tap) {
        report(window, GLFW_KEY_C, 0, GLFW_PRESS, 0);
        report(window, GLFW_KEY_C, 0, GLFW_REPEAT, 0);
        report(window, GLFW_KEY_C, 0, GLFW_RELEASE, 0);
    }
    report(window, GLFW_KEY_P, 0, GLFW_PRESS, 0);
    report(window, GLFW_KEY_UNKNOWN, 0, GLFW_PRESS, 0);
    EXPECT_EQ(platform::takeKeyPresses(GLFW_KEY_C), 3);
    EXPECT_EQ(platform::takeKeyPresses(GLFW_KEY_C), 0);
    EXPECT_EQ(platform::takeKeyPresses(GLFW_KEY_P), 1);
}

} // namespace
