#include "app/window.h"
#include "game/cue_reach.h"
#include "platform/glfw_compat.h"
#include "scenegraph/root_node.h"

#include <gtest/gtest.h>

namespace {

// The racing camera at 320 x 240, with the cursor at rest in the centre.
class CueReach : public ::testing::Test {
protected:
    void SetUp() override {
        Window& window = *scenegraph::RootNode::getInstance()->getWindow();
        window.width = 320;
        window.height = 240;
        window.changed = true;
        view = {window.getProjMat(), 320, 240};
        input.mouseX = 160;
        input.mouseY = 120;
        platform::useScriptedInput(&input);
    }
    void TearDown() override {
        platform::useScriptedInput(nullptr);
        scenegraph::RootNode::destroyInstance();
    }

    platform::InputState input;
    game::CueView view{};
};

TEST_F(CueReach, ACueInSightKeepsItsPlaceAndEveryOtherIsMovedIntoSight) {
    const game::PathPoints points = game::levelPath(200000.0);
    // Where the path runs straight the jittered place stays as it was.
    const glm::vec2 jitter(4.5f, -3.0f);
    const glm::vec4 onPath = game::pathPointAt(points, 40.8);
    EXPECT_EQ(game::placeCue(points, 40000.0, jitter, view),
              glm::vec3(onPath.x + jitter.x, onPath.y + jitter.y, onPath.z));
    // On the sharpest bend not even the path is in sight of the camera.
    EXPECT_FALSE(game::racingCameraReaches(points, glm::vec3(game::pathPointAt(points, 13.8)),
                                           13000.0, view));
    int moved = 0;
    for (double ms = 2000.0; ms < 200000.0; ms += 1700.0) {
        for (glm::vec2 corner : {glm::vec2(5, 5), glm::vec2(-5, 5), glm::vec2(5, -5)}) {
            const glm::vec3 place = game::placeCue(points, ms, corner, view);
            EXPECT_TRUE(game::racingCameraReaches(points, place, ms, view)) << ms;
            const glm::vec4 path = game::pathPointAt(points, (ms + game::kCueLeadMs) / 1000.0);
            moved += place != glm::vec3(path.x + corner.x, path.y + corner.y, path.z) ? 1 : 0;
        }
    }
    EXPECT_GT(moved, 0) << "the check must be able to fail";
}

} // namespace
