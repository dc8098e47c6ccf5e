#include "game/timing_feedback.h"

#include <gtest/gtest.h>

namespace {

using namespace game;

const glm::vec3 somewhere(1.0f, 2.0f, 3.0f);

TEST(TimingFeedback, ReadoutsRoundToWholeMillisecondsAndLooksSplitAtThirty) {
    EXPECT_EQ(offsetReadout(-34.4), "-34 ms");
    EXPECT_EQ(offsetReadout(12.5), "+13 ms");
    EXPECT_EQ(offsetReadout(-0.4), "0 ms");
    EXPECT_EQ(lookOf(-30.0), ClickLook::Precise);
    EXPECT_EQ(lookOf(30.0), ClickLook::Precise);
    EXPECT_EQ(lookOf(-30.5), ClickLook::Early);
    EXPECT_EQ(lookOf(30.5), ClickLook::Late);
}

TEST(TimingFeedback, TheLatestClickShowsForHalfASecondFadingAtTheEnd) {
    TimingFeedback feedback;
    EXPECT_EQ(feedback.shownClick(0.0), std::nullopt);
    feedback.record({Verdict::Hit, 0, 12.0}, 1000.0, somewhere);
    feedback.record({Verdict::Hit, 1, -34.0}, 1100.0, somewhere);
    // A miss is no click: the readout stays on the last one.
    feedback.record({Verdict::Missed, 2, 251.0}, 1200.0, somewhere);
    ASSERT_TRUE(feedback.shownClick(1100.0));
    EXPECT_EQ(feedback.shownClick(1100.0)->offsetMs, -34.0);
    EXPECT_EQ(readoutOpacity(0.0, kReadoutShownMs), 1.0f);
    EXPECT_EQ(readoutOpacity(250.0, kReadoutShownMs), 1.0f);
    EXPECT_GT(readoutOpacity(450.0, kReadoutShownMs), 0.0f);
    EXPECT_LT(readoutOpacity(450.0, kReadoutShownMs), 1.0f);
    EXPECT_EQ(feedback.shownClick(1100.0 + kReadoutShownMs), std::nullopt);
    // A practice loop starting over puts the song before the click again:
    // nothing shows until the click comes round.
    EXPECT_EQ(feedback.shownClick(1099.0), std::nullopt);
}

TEST(TimingFeedback, TheBarHoldsTheLatestTwentyClicksNewestFirstFadingWithAge) {
    TimingFeedback feedback;
    for (int i = 0; i < kBarTicks + 5; ++i) {
        feedback.record({Verdict::Hit, i, 10.0 * i}, i, somewhere);
    }
    feedback.record({Verdict::TooEarly, 30, -400.0}, 30.0, somewhere);
    BarTicks ticks;
    ASSERT_EQ(feedback.barTicks(ticks), kBarTicks);
    EXPECT_EQ(ticks[0].position, -1.0f) << "beyond the window: at the bar's end";
    EXPECT_EQ(ticks[0].look, ClickLook::Early);
    EXPECT_EQ(ticks[0].opacity, 1.0f);
    EXPECT_FLOAT_EQ(ticks[1].position, 240.0f / 250.0f);
    EXPECT_EQ(ticks[1].look, ClickLook::Late);
    EXPECT_FLOAT_EQ(ticks[kBarTicks - 1].position, 60.0f / 250.0f);
    EXPECT_LT(ticks[kBarTicks - 1].opacity, ticks[1].opacity);
    EXPECT_GT(ticks[kBarTicks - 1].opacity, 0.0f);
}

TEST(TimingFeedback, MissesAndSpoiltCuesBreakTheStreakAndMarkTheCue) {
    TimingFeedback feedback;
    feedback.record({Verdict::Hit, 0, 5.0}, 100.0, somewhere);
    feedback.record({Verdict::Hit, 1, 5.0}, 200.0, somewhere);
    feedback.record({Verdict::Missed, 2, 251.0}, 300.0, somewhere);
    EXPECT_EQ(feedback.stats().streak(), 0);
    EXPECT_EQ(feedback.stats().bestStreak(), 2);
    feedback.record({Verdict::Hit, 3, 5.0}, 400.0, somewhere);
    feedback.record({Verdict::TooEarly, 4, -300.0}, 500.0, glm::vec3(7.0f));
    EXPECT_EQ(feedback.stats().streak(), 0);
    EXPECT_EQ(feedback.stats().hits(), 3);
    int marked = 0;
    for (const MissMark& mark : feedback.missMarks()) {
        marked += mark.atMs == 300.0 && mark.place == somewhere ? 1 : 0;
        marked += mark.atMs == 500.0 && mark.place == glm::vec3(7.0f) ? 1 : 0;
    }
    EXPECT_EQ(marked, 2);

    // A burst of four misses: only its own marks show, the older give way.
    for (int i = 0; i < 4; ++i) {
        feedback.record({Verdict::Missed, 5 + i, 251.0}, 600.0 + i, somewhere);
    }
    for (const MissMark& mark : feedback.missMarks()) {
        EXPECT_GE(mark.atMs, 600.0);
    }
}

} // namespace
