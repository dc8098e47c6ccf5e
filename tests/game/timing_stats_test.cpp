#include "game/timing_stats.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using namespace game;

TimingStats hitsAt(double offsetMs, int count) {
    TimingStats stats;
    for (int i = 0; i < count; ++i) {
        stats.addHit(offsetMs);
    }
    return stats;
}

TEST(TimingStats, BinsSplitTheWindowInFiftyMillisecondStepsWithBothEdgesInside) {
    EXPECT_EQ(histogramBin(-250.0), 0);
    EXPECT_EQ(histogramBin(-200.01), 0);
    EXPECT_EQ(histogramBin(-200.0), 1);
    EXPECT_EQ(histogramBin(-0.01), 4);
    EXPECT_EQ(histogramBin(0.0), 5);
    EXPECT_EQ(histogramBin(250.0), 9);
}

TEST(TimingStats, MeanSpreadHistogramAndStreaksFollowTheVerdicts) {
    TimingStats stats;
    EXPECT_EQ(stats.meanMs(), 0.0);
    EXPECT_EQ(stats.spreadMs(), 0.0);
    for (double offset : {-10.0, 10.0, 30.0}) {
        stats.addHit(offset);
    }
    stats.addMiss();
    stats.addHit(-90.0);
    EXPECT_EQ(stats.hits(), 4);
    EXPECT_DOUBLE_EQ(stats.meanMs(), -15.0);
    // Deviations -75, 5, 25, 45 from the mean: squares sum to 8300.
    EXPECT_NEAR(stats.spreadMs(), std::sqrt(8300.0 / 4.0), 1e-9);
    EXPECT_EQ(stats.streak(), 1);
    EXPECT_EQ(stats.bestStreak(), 3);
    EXPECT_EQ(stats.histogram(), (OffsetHistogram{0, 0, 0, 1, 1, 2, 0, 0, 0, 0}));
}

TEST(TimingStats, AdviceNeedsTwentyHitsOffCentreAndStartsFromTheOffsetInUse) {
    EXPECT_EQ(suggestedOffsetMs(hitsAt(38.0, 19), 0), std::nullopt);
    EXPECT_EQ(suggestedOffsetMs(hitsAt(38.0, 20), 0), 38);
    EXPECT_EQ(suggestedOffsetMs(hitsAt(38.0, 20), 10), 48);
    EXPECT_EQ(suggestedOffsetMs(hitsAt(-25.0, 20), 0), -25);
    EXPECT_EQ(suggestedOffsetMs(hitsAt(20.0, 40), 0), std::nullopt);
    EXPECT_EQ(suggestedOffsetMs(hitsAt(-20.5, 40), 0), -21);
    // The setting goes no further than its limit, and never suggests itself.
    EXPECT_EQ(suggestedOffsetMs(hitsAt(38.0, 20), 190), kJudgingOffsetLimitMs);
    EXPECT_EQ(suggestedOffsetMs(hitsAt(38.0, 20), kJudgingOffsetLimitMs), std::nullopt);
}

} // namespace
