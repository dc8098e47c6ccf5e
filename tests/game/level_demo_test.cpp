#include "game/cue_judging.h"
#include "game/demo_player.h"
#include "game/level.h"
#include "game/level_manager.h"
#include "game/level_sound.h"
#include "game/scratch_dir.h"
#include "scenegraph/transformation_node.h"

#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <sstream>
#include <thread>

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
TEST_F(DemoChoice, ACueIsDueOnceItsWindowOpensBeforeTheNextFrame) {
    EXPECT_EQ(choiceAt(769.0), std::nullopt);
    EXPECT_EQ(choiceAt(770.0), 0);
    EXPECT_EQ(choiceAt(700.0, 70.0), 0) << "a slow frame rate readies the click a frame ahead";
    EXPECT_EQ(choiceAt(700.0, 69.0), std::nullopt);
}

TEST(DemoClickSafety, TheClickWaitsUntilTheWindowHasOpened) {
    EXPECT_DOUBLE_EQ(msUntilSafeClick(700.0 - lookahead, 1000.0), 70.0);
    EXPECT_EQ(msUntilSafeClick(770.0 - lookahead, 1000.0), 0.0);
    EXPECT_EQ(msUntilSafeClick(1100.0 - lookahead, 1000.0), 0.0) << "never a negative wait";
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
// shifting the cue by more than the cursor moved.
TEST(DemoAim, FindsTheCursorThatLandsOnTheCueAfterTheTurn) {
    const glm::vec2 centre(160.0f, 120.0f);
    const glm::vec2 unturned(300.0f, 40.0f);
    const float gain = 2.3f;
    const CueOnScreen linear = [&](glm::vec2 cursor) -> std::optional<glm::vec2> {
        return unturned - gain * (cursor - centre);
    };
    std::optional<glm::vec2> aim = solveAim(linear, centre);
    ASSERT_TRUE(aim.has_value());
    EXPECT_LT(glm::length(*linear(*aim) - *aim), 0.25f);
    // Repeating "put the cursor where the cue is" would have run away.
    glm::vec2 naive = centre;
    for (int i = 0; i < 5; ++i) {
        naive = *linear(naive);
    }
    EXPECT_GT(glm::length(naive - *aim), 1000.0f);
}

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

TEST(LevelManager, AddingPastTheCapacityGrowsTheRegistry) {
    util::LevelManager::destroyInstance();
    util::LevelManager& manager = *util::LevelManager::getInstance();
    EXPECT_EQ(manager.currentLevel(), nullptr);
    EXPECT_EQ(manager.getCapacity(), 1);
    auto* first = new Level("level1");
    manager.addLevel(first);
    EXPECT_EQ(manager.getCurrentIndex(), 0);
    EXPECT_EQ(manager.currentLevel(), first);
    auto* second = new Level("level2");
    auto* third = new Level("level3");
    manager.addLevel(second);
    manager.addLevel(third);
    EXPECT_EQ(manager.currentLevel(), third);
    EXPECT_GE(manager.getCapacity(), 3);
    // The caller may take the current level back; its slot then reads empty.
    Level* taken = manager.releaseCurrentLevel();
    EXPECT_EQ(taken, third);
    EXPECT_EQ(manager.currentLevel(), nullptr);
    delete taken;
    util::LevelManager::destroyInstance(); // frees the two still held
}

// The game's clock keeps running in silence when the song cannot be opened,
// and the one failed load is reported once.
TEST(LevelSound, MissingSongReportsOnceAndStillCountsTime) {
    testsupport::ScratchDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    std::ostringstream log;
    {
        LevelSound sound;
        sound.start(LevelSound::kMusicPath, false, log);
        ASSERT_NE(sound.getMusicChannel(), nullptr);
        const unsigned int first = sound.update();
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        EXPECT_GT(sound.update(), first);
        sound.setMusicPaused(true);
        const unsigned int frozen = sound.update();
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        EXPECT_EQ(sound.update(), frozen);
        sound.playStab(); // never loaded: nothing to play, nothing to crash
        sound.release();
        sound.release();
    }
    std::filesystem::current_path(previous);
    const std::string text = log.str();
    EXPECT_EQ(text.rfind("FMOD error! ", 0), 0u) << text;
    EXPECT_EQ(text.find("FMOD error! ", 1), std::string::npos) << text;
    EXPECT_EQ(text.back(), '\n');
}

} // namespace
