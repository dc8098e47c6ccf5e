#include "app/timing_summary.h"

#include <gtest/gtest.h>

namespace {

game::TimingStats statsOf(std::initializer_list<double> offsets) {
    game::TimingStats stats;
    for (double offset : offsets) {
        stats.addHit(offset);
    }
    return stats;
}

TEST(TimingSummary, LogLineHasASignedMeanAndOneDecimalEach) {
    EXPECT_EQ(timingLogLine(statsOf({10.0, 14.6, 12.3}), 2),
              "TIMING: mean +12.3 ms, spread 1.9 ms, hits 3, misses 2, best streak 3");
    EXPECT_EQ(timingLogLine(statsOf({-228.04}), 0),
              "TIMING: mean -228.0 ms, spread 0.0 ms, hits 1, misses 0, best streak 1");
    EXPECT_EQ(timingLogLine(statsOf({-0.04}), 0),
              "TIMING: mean +0.0 ms, spread 0.0 ms, hits 1, misses 0, best streak 1");
    EXPECT_EQ(timingLogLine(statsOf({}), 155),
              "TIMING: mean +0.0 ms, spread 0.0 ms, hits 0, misses 155, best streak 0");
}

TEST(TimingSummary, EndScreenTellsCountsTimingAndTheSettingToTry) {
    game::TimingStats late;
    for (int i = 0; i < 20; ++i) {
        late.addHit(i % 2 == 0 ? 30.0 : 46.0);
    }
    EXPECT_EQ(timingSummaryText(late, 1),
              "HITS 20   MISSES 1   BEST STREAK 20\\nMEAN +38.0 ms   SPREAD 8.0 ms");
    EXPECT_EQ(
        offsetAdviceText(late, 0),
        "Your clicks were 38 ms late on average:\\npress A to set offset_ms=38 in your settings");
    game::TimingStats early;
    for (int i = 0; i < 20; ++i) {
        early.addHit(-25.0);
    }
    EXPECT_EQ(
        offsetAdviceText(early, 0),
        "Your clicks were 25 ms early on average:\\npress A to set offset_ms=-25 in your settings");
    EXPECT_EQ(offsetAppliedText(-25, 12.5),
              "offset_ms=-25 saved in your settings:\\npress A again for offset_ms=12.5 as before");
    EXPECT_EQ(offsetAdviceText(statsOf({-25.0}), 0), std::nullopt);
}

} // namespace
