#include "platform/glfw_compat.h"

#include <gtest/gtest.h>

namespace {

class ScriptedInputTest : public ::testing::Test {
protected:
    void SetUp() override { platform::useScriptedInput(&input); }
    void TearDown() override { platform::useScriptedInput(nullptr); }
    platform::InputState input;
};

TEST_F(ScriptedInputTest, OutOfRangeCodesReadAsReleased) {
    input.keys.fill(1);
    EXPECT_EQ(platform::glfwGetKey(-1), 0);
    EXPECT_EQ(platform::glfwGetKey(GLFW_KEY_LAST + 1), 0);
    EXPECT_EQ(platform::glfwGetMouseButton(99), 0);
}

// A scripted key counts a press when it goes down between takes and for
// every queued tap; holding it is one press.
TEST_F(ScriptedInputTest, KeyPressesCountDownGoingKeysAndQueuedTapsOnce) {
    input.keys[GLFW_KEY_C] = 1;
    EXPECT_EQ(platform::takeKeyPresses(GLFW_KEY_C), 1);
    EXPECT_EQ(platform::takeKeyPresses(GLFW_KEY_C), 0) << "a held key is one press";
    input.keys[GLFW_KEY_C] = 0;
    EXPECT_EQ(platform::takeKeyPresses(GLFW_KEY_C), 0);
    input.keys[GLFW_KEY_C] = 1;
    input.queuedKeyPresses[GLFW_KEY_C] = 2;
    EXPECT_EQ(platform::takeKeyPresses(GLFW_KEY_C), 3);
    EXPECT_EQ(platform::takeKeyPresses(GLFW_KEY_C), 0);
    EXPECT_EQ(platform::takeKeyPresses(GLFW_KEY_P), 0) << "other keys are apart";
    input.queuedKeyPresses.fill(1);
    EXPECT_EQ(platform::takeKeyPresses(-1), 0);
    EXPECT_EQ(platform::takeKeyPresses(GLFW_KEY_LAST + 1), 0);
}

TEST(PlatformWithoutWindow, NoWindowMeansNoInputAndNotOpened) {
    EXPECT_EQ(platform::glfwGetKey(GLFW_KEY_ESCAPE), 0);
    EXPECT_EQ(platform::takeKeyPresses(GLFW_KEY_ESCAPE), 0);
    EXPECT_EQ(platform::glfwGetWindowParam(platform::GLFW_OPENED), 0);
}

TEST(PlatformClock, SetTimeRestartsTheClockFromTheGivenValue) {
    platform::glfwSetTime(100.0);
    double t = platform::glfwGetTime();
    EXPECT_GE(t, 100.0);
    EXPECT_LT(t, 101.0);
    platform::glfwSetTime(0.0);
    EXPECT_LT(platform::glfwGetTime(), 1.0);
}

TEST(PlatformClock, AStoppedClockReadsTheSetTimeAndRunsOnFromItWhenStarted) {
    platform::stopClock(true);
    platform::glfwSetTime(42.5);
    platform::glfwSleep(0.01);
    EXPECT_EQ(platform::glfwGetTime(), 42.5);
    platform::stopClock(false);
    platform::glfwSleep(0.01);
    EXPECT_GT(platform::glfwGetTime(), 42.5);
    EXPECT_LT(platform::glfwGetTime(), 43.5);
    platform::glfwSetTime(0.0);
}

} // namespace
