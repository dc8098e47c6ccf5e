#include "game/cue_judging.h"
#include "game/demo_player.h"
#include "scenegraph/transformation_node.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace game;

constexpr double lookahead = 150.0;

class DemoChoice : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 6; ++i) {
            nodes.push_back(std::make_unique<scenegraph::TransformationNode>("cue", "OBJ"));
            track.cues.push_back(nodes.back().get());
        }
    }

    // A click is due once the window will have opened by the next frame.
    std::optional<int> choiceAt(double now, double frameMs = 0.0) {
        return cueToClick(track, now - lookahead, times, frameMs);
    }

    std::vector<std::unique_ptr<scenegraph::TransformationNode>> nodes;
    CueTrack track;
    CueTimes times = [](int index) {
        return index < 0 || index >= 5 ? -1.0 : 1000.0 * (index + 1);
    };
};

// Cue 0 is at 1000 ms; its window opens at 750 ms on the event clock, which
// runs 150 ms ahead of the music, and a click is safe from 770 ms on.
TEST_F(DemoChoice, ACueIsDueOnceItsWindowOpensBeforeTheNextFrameAndClickedOnceOpen) {
    EXPECT_EQ(choiceAt(769.0), std::nullopt);
    EXPECT_EQ(choiceAt(770.0), 0);
    EXPECT_EQ(choiceAt(700.0, 70.0), 0) << "a slow frame rate readies the click a frame ahead";
    EXPECT_EQ(choiceAt(700.0, 69.0), std::nullopt);
    // A click readied a frame ahead waits until the window has opened.
    EXPECT_DOUBLE_EQ(msUntilSafeClick(700.0 - lookahead, 1000.0), 70.0);
    EXPECT_EQ(msUntilSafeClick(770.0 - lookahead, 1000.0), 0.0);
    EXPECT_EQ(msUntilSafeClick(1100.0 - lookahead, 1000.0), 0.0) << "never a negative wait";
}

TEST(DemoBeat, ClicksOnTheFrameNearestTheCuesMomentWhereItsPressIsJudged) {
    // Frames 80 ms apart on the event clock; the cue at 1000 ms.
    EXPECT_FALSE(clicksOnBeat(950.0 - lookahead, 1000.0, 80.0))
        << "the next frame, 1030, is nearer";
    EXPECT_TRUE(clicksOnBeat(965.0 - lookahead, 1000.0, 80.0)) << "1045 would be further";
    EXPECT_TRUE(clicksOnBeat(1000.0 - lookahead, 1000.0, 80.0));
    EXPECT_DOUBLE_EQ(msUntilBeat(900.0 - lookahead, 1000.0), 100.0);
}

TEST(DemoBeat, PlansAPressOnTheBeatBetweenFramesAndDropsItAfterAPause) {
    // The cue at 1000 ms; this frame's position read at 5000 ms of the clock.
    const std::optional<double> beat =
        beatBeforeNextFrame(960.0 - lookahead, 5000.0, 1000.0, 80.0, 1.0);
    ASSERT_TRUE(beat.has_value());
    EXPECT_DOUBLE_EQ(*beat, 5040.0);
    EXPECT_DOUBLE_EQ(*beatBeforeNextFrame(960.0 - lookahead, 5000.0, 1000.0, 80.0, 0.5), 5080.0)
        << "a slowed song takes longer to reach the beat";
    EXPECT_FALSE(beatBeforeNextFrame(900.0 - lookahead, 5000.0, 1000.0, 80.0, 1.0))
        << "the beat comes after the next frame";
    EXPECT_FALSE(beatBeforeNextFrame(1000.0 - lookahead, 5000.0, 1000.0, 80.0, 1.0))
        << "the beat is now: nothing left to plan";

    // The next frame, 80 ms of song on, read at 5080: the press is made.
    EXPECT_TRUE(beatPressIsDue(5040.0, 5080.0, 80.0, 1.0));
    EXPECT_FALSE(beatPressIsDue(5040.0, 5030.0, 30.0, 1.0)) << "the frame came before the beat";
    EXPECT_FALSE(beatPressIsDue(5040.0, 7080.0, 80.0, 1.0))
        << "2 s of pause: the song stood while the clock ran";
    EXPECT_TRUE(beatPressIsDue(5040.0, 5120.0, 40.0, 0.5)) << "40 ms of song at half speed";
}

TEST_F(DemoChoice, SkipsHitAndSpoiltCuesAndGivesUpOnOldOnes) {
    nodes[0]->status = kCueHitStatus;
    EXPECT_EQ(choiceAt(1800.0), 1);
    nodes[1]->setDrawMode(kCueMissed);
    EXPECT_EQ(choiceAt(1800.0), std::nullopt) << "cue 2 is not due yet";
    nodes[1]->setDrawMode(kCueBuilt);
    EXPECT_EQ(choiceAt(2200.0), 1);
    EXPECT_EQ(choiceAt(2201.0), std::nullopt);
}

TEST_F(DemoChoice, TheCueWhoseEventJustFiredIsStillChosen) {
    track.currentCue = 1;
    EXPECT_EQ(choiceAt(1100.0), 0);
    track.currentCue = 5;
    EXPECT_EQ(choiceAt(4900.0), 4) << "only the previous of the last cue is left";
}

// A cursor that moved turns the camera by 30 degrees at the window's edge,
// shifting the cue by more than the cursor moved; the real cameras are the
// demo driver's test.
TEST(DemoAim, SolvesABentTurnAndGivesUpBehindTheEye) {
    const CueOnScreen bent = [](glm::vec2 cursor) -> std::optional<glm::vec2> {
        const glm::vec2 turn =
            glm::tan(glm::radians((cursor - glm::vec2(160, 120)) / 160.0f * 30.0f));
        return glm::vec2(160, 120) + 680.0f * (glm::vec2(0.3f, -0.1f) - turn);
    };
    std::optional<glm::vec2> aim = solveAim(bent, glm::vec2(160, 120));
    ASSERT_TRUE(aim.has_value());
    EXPECT_LT(glm::length(*bent(*aim) - *aim), 0.25f);
    const CueOnScreen behind = [](glm::vec2) -> std::optional<glm::vec2> { return std::nullopt; };
    EXPECT_EQ(solveAim(behind, glm::vec2(0.0f)), std::nullopt);
}

} // namespace
