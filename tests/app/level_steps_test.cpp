#include "app/accuracy.h"
#include "app/level_steps.h"
#include "app/settings.h"
#include "app/timing_summary.h"
#include "game/level.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

TEST(SongEnd, TheLevelsEndIsLoggedOnceAfterTheSongAndNotOnAPause) {
    Level level("level1");
    level.cueCount = 5;
    level.paused = false;
    level.pathPosition = glm::vec4(1.0f, 2.0f, 3.0f, 1.0f);
    LoopState loop;
    std::ostringstream log;
    followLevel(loop, level, log);
    const glm::vec3 light = glm::vec3(1.0f, 2.0f, 3.0f) + lightOffsetFromPath;
    EXPECT_EQ(loop.lightPosition, light);

    level.paused = true;
    level.pathPosition = glm::vec4(0.0f);
    followLevel(loop, level, log);
    EXPECT_TRUE(loop.paused);
    EXPECT_EQ(loop.lightPosition, light) << "a paused game holds the light";
    EXPECT_EQ(log.str(), "");

    level.finished = true;
    followLevel(loop, level, log);
    followLevel(loop, level, log);
    const int judged = level.judgeableCueCount();
    EXPECT_EQ(log.str(), accuracyLogLine(0, judged) + "\n" +
                             timingLogLine(level.getFeedback().stats(), judged) + "\n");
    EXPECT_EQ(loop.messageOverlay.text, accuracyText(0, judged));
}

TEST(SongEnd, TheTimingCountsTheMissesAndAdvisesAPlayerButNotTheDemo) {
    game::TimingStats late;
    for (int i = 0; i < 20; ++i) {
        late.addHit(i % 2 == 0 ? 30.0 : 46.0);
    }
    setDefaultSettings();
    LoopState loop;
    std::ostringstream log;
    concludeTiming(loop, late, 25, 10, log);
    EXPECT_EQ(log.str(), timingLogLine(late, 5) + "\n");
    EXPECT_EQ(loop.endOfSong.summary, timingSummaryText(late, 5));
    EXPECT_EQ(loop.endOfSong.advice, offsetAdviceText(late, 10));

    demoMode = true;
    concludeTiming(loop, late, 25, 10, log);
    EXPECT_EQ(loop.endOfSong.advice, "");
    setDefaultSettings();
}

} // namespace
