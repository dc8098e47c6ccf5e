#include "app/frame_passes.h"
#include "app/frame_scene.h"

namespace frametest {
namespace {

const glm::vec3 kLeftPlace(-3.0f, 0.0f, -30.0f);
const glm::vec3 kRightPlace(3.0f, 0.0f, -30.0f);

class PickingTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        left = addCue("left cue", kLeftPlace);
        right = addCue("right cue", kRightPlace);
        loop.renderFlags = onlyFlags({Picker, FullRender});
    }

    void frame() { renderFrame(loop, objects, 0.0); }

    scenegraph::HitNode* left = nullptr;
    scenegraph::HitNode* right = nullptr;
};

TEST_F(PickingTest, AClickOnACueHitsThatCueOnlyAndStartsTheCrosshairPulse) {
    model::OBJ crosshair(nullptr);
    objects.nodes.crosshair = &crosshair;
    objects.nodes.crosshairAnimation.scaleSource.push_back({});
    moveMouse(mouseAt(kRightPlace));
    frame();
    EXPECT_EQ(animation::AnimationPlayer::getInstance()->playingCount(), 0u);
    EXPECT_FALSE(right->isHit());
    setButton(1);
    frame();
    EXPECT_EQ(animation::AnimationPlayer::getInstance()->playingCount(), 1u);
    EXPECT_TRUE(right->isHit());
    EXPECT_FALSE(right->hitable);
    EXPECT_FALSE(left->isHit());
    EXPECT_TRUE(left->hitable);
}

TEST_F(PickingTest, AClickBesideTheCuesHitsNothingAndAHeldButtonPicksOnlyWhenItWentDown) {
    moveMouse(mouseAt(glm::vec3(0.0f, 4.0f, -30.0f)));
    setButton(1);
    frame();
    EXPECT_FALSE(left->isHit());
    EXPECT_FALSE(right->isHit());
    // Still held while the cursor moves onto a cue: no new click.
    moveMouse(mouseAt(kLeftPlace));
    frame();
    frame();
    EXPECT_FALSE(left->isHit());
    setButton(0);
    frame();
    setButton(1);
    frame();
    EXPECT_TRUE(left->isHit());
    EXPECT_FALSE(right->isHit());
}

TEST_F(PickingTest, WithPickerOffClicksAreNotReadAndTheHeldStateIsKept) {
    loop.renderFlags = onlyFlags({FullRender});
    moveMouse(mouseAt(kLeftPlace));
    // A click that ended while picking was off is not kept for later.
    input.latchedButtons[GLFW_MOUSE_BUTTON_LEFT] = 1;
    frame();
    loop.renderFlags = onlyFlags({Picker, FullRender});
    frame();
    EXPECT_FALSE(left->isHit());
    loop.renderFlags = onlyFlags({FullRender});
    setButton(1);
    frame();
    EXPECT_FALSE(left->isHit());
    // Switched on while the button is still down: the button went down while
    // nobody looked, and the remembered state says up, so this is a click.
    loop.renderFlags = onlyFlags({Picker, FullRender});
    frame();
    EXPECT_TRUE(left->isHit());
}

TEST_F(PickingTest, AClickOutsideTheWindowReadsNothing) {
    moveMouse({-2, kHeight / 2});
    setButton(1);
    frame();
    moveMouse({kWidth / 2, kHeight + 3});
    setButton(0);
    frame();
    setButton(1);
    frame();
    EXPECT_FALSE(left->isHit());
    EXPECT_FALSE(right->isHit());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
} // namespace frametest
