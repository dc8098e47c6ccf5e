#include "app/loop_steps.h"
#include "platform/glfw_compat.h"
#include "support/glm_expect.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageExpiry, AMessageShowsForOneSecondAndAReplacedOneStartsANewSecond) {
    OverlayText message;
    message.setText("PICKER OFF", 1, 0.3f);
    message.presented = true;
    ageMessage(message, 0.6);
    EXPECT_TRUE(message.visible);
    ageMessage(message, 0.4); // exactly one second is still on screen
    EXPECT_TRUE(message.visible);
    ageMessage(message, 0.01);
    EXPECT_FALSE(message.visible);
    EXPECT_EQ(message.displayTime, 0.0);

    message.setText("PICKER OFF", 1, 0.3f);
    message.presented = true;
    ageMessage(message, 0.9);
    message.setText("PICKER ON", 1, 0.3f);
    message.presented = true;
    ageMessage(message, 0.9);
    EXPECT_TRUE(message.visible);
    EXPECT_EQ(message.text, "PICKER ON");
    ageMessage(message, 0.2);
    EXPECT_FALSE(message.visible);
}

TEST(MessageExpiry, SlowFramesStillShowAMessageOnce) {
    OverlayText message;
    message.setText("BLOOM OFF", 1, 0.3f);
    ageMessage(message, 2.5); // one pass slower than the message's whole second
    EXPECT_TRUE(message.visible);
    message.presented = true; // the frame drawn it
    ageMessage(message, 2.5);
    EXPECT_FALSE(message.visible);
}

TEST(FramePacing, UnlockedDrawsEveryPassLockedOnceMoreThanASixtiethHasGathered) {
    LoopState loop;
    EXPECT_EQ(frameToDraw(loop, 0.004), 0.004);
    EXPECT_EQ(frameToDraw(loop, 0.005), 0.005);
    loop = LoopState();
    loop.frameLocked = true;
    EXPECT_EQ(frameToDraw(loop, 0.01), std::nullopt);
    EXPECT_EQ(frameToDraw(loop, 0.005), std::nullopt);
    std::optional<double> frame = frameToDraw(loop, 0.005);
    ASSERT_TRUE(frame.has_value());
    EXPECT_NEAR(*frame, 0.02, 1e-12);
    EXPECT_EQ(loop.sinceRender, 0.0);
    EXPECT_EQ(frameToDraw(loop, 0.001), std::nullopt);
}

class HeldLightKeys : public ::testing::Test {
protected:
    void SetUp() override { platform::useScriptedInput(&input); }
    void TearDown() override { platform::useScriptedInput(nullptr); }
    platform::InputState input;
    glm::vec3 light{-5.0f, 5.0f, -15.0f};
};

TEST_F(HeldLightKeys, EachPairMovesOneAxisByTenUnitsPerSecondAndNoKeyNoMove) {
    moveLightWithHeldKeys(light, 1.0);
    EXPECT_EQ(light, glm::vec3(-5.0f, 5.0f, -15.0f));
    input.keys[GLFW_KEY_H] = 1;
    input.keys[GLFW_KEY_N] = 1;
    input.keys[GLFW_KEY_T] = 1;
    moveLightWithHeldKeys(light, 0.5);
    EXPECT_TRUE(testsupport::near(light, glm::vec3(0, 0, -20), testsupport::kFloatEq));

    input.keys = {};
    input.keys[GLFW_KEY_F] = 1;
    input.keys[GLFW_KEY_Y] = 1;
    input.keys[GLFW_KEY_G] = 1;
    moveLightWithHeldKeys(light, 0.1);
    EXPECT_TRUE(testsupport::near(light, glm::vec3(-1, 1, -19), testsupport::kFloatEq));
}

} // namespace
