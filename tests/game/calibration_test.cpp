#include "game/calibration.h"

#include <gtest/gtest.h>

#include <random>

namespace {

using namespace game;

TEST(TapOffset, IsMeasuredFromTheNearestClickEitherSide) {
    EXPECT_DOUBLE_EQ(tapOffsetMs(1040.0, 1000.0), 40.0);
    EXPECT_DOUBLE_EQ(tapOffsetMs(1460.0, 1000.0), -40.0); // early for the second click
    EXPECT_DOUBLE_EQ(tapOffsetMs(1000.0 + 30 * 500.0 + 120.0, 1000.0), 120.0);
    EXPECT_DOUBLE_EQ(tapOffsetMs(1249.0, 1000.0), 249.0);
    EXPECT_DOUBLE_EQ(tapOffsetMs(1251.0, 1000.0), -249.0);
    EXPECT_DOUBLE_EQ(tapOffsetMs(900.0, 1000.0), -100.0); // before the first click
}

TEST(TapCalibration, SettlingTapsAreLetGoAndTheMedianOfTheCountedOnesIsTheOffset) {
    TapCalibration taps(1000.0);
    double click = 1000.0;
    // Settling in: far off the beat, and none of it may count.
    for (int i = 0; i < kSettlingTaps; ++i, click += kCalibrationBeatMs) {
        EXPECT_TRUE(taps.settling());
        taps.tap(click + 200.0);
    }
    EXPECT_TRUE(taps.countedOffsets().empty());
    // 23 taps 30 ms late and one stray double tap at +240 ms: the median
    // stays at 30, where a mean would move by 9 ms.
    for (int i = 0; i < kCountedTaps; ++i, click += kCalibrationBeatMs) {
        EXPECT_FALSE(taps.complete());
        EXPECT_EQ(taps.estimate(), std::nullopt);
        taps.tap(click + (i == 5 ? 240.0 : 30.0));
    }
    ASSERT_TRUE(taps.complete());
    taps.tap(click + 100.0); // after the round: ignored
    EXPECT_EQ(taps.tapCount(), kSettlingTaps + kCountedTaps);
    ASSERT_EQ(taps.countedOffsets().size(), static_cast<std::size_t>(kCountedTaps));
    const TapEstimate estimate = *taps.estimate();
    EXPECT_DOUBLE_EQ(estimate.offsetMs, 30.0);
    EXPECT_NEAR(estimate.spreadMs, 42.0, 1.0); // the stray tap shows in the spread

    // An even count takes the middle two.
    const std::array<double, 4> four{10.0, -20.0, 40.0, 0.0};
    EXPECT_DOUBLE_EQ(estimateLatency(four)->offsetMs, 5.0);
    EXPECT_EQ(estimateLatency({}), std::nullopt);
}

// A person tapping along: each tap lands at the click plus the latency plus
// Gaussian jitter of 27 ms, a usual spread of people's taps against a beat.
// Statistics bound what any estimate can do with 24 such taps: the median's
// own spread is 1.2533 * 27 / sqrt(24) = 6.9 ms, so it lands within 8 ms of
// the truth in about 76 % of rounds and within 15 ms in about 97 % (no
// estimate does better than the mean, 5.5 ms, 85 % within 8 ms). The
// thresholds below sit a little under those shares, so a bias of a few ms
// (a click matched to the wrong beat, a tap time taken from the wrong clock)
// fails them.
TEST(TapCalibration, ASimulatedTapperIsFoundAsWellAsItsJitterAllows) {
    std::mt19937 random(31);
    std::normal_distribution<double> jitter(0.0, 27.0);
    constexpr int kTrials = 1000;
    constexpr double kFirstClickMs = 1000.0;
    for (double latencyMs : {0.0, 40.0, 120.0}) {
        int within8 = 0;
        int within15 = 0;
        double sum = 0.0;
        for (int trial = 0; trial < kTrials; ++trial) {
            TapCalibration taps(kFirstClickMs);
            for (int beat = 0; !taps.complete(); ++beat) {
                taps.tap(kFirstClickMs + beat * kCalibrationBeatMs + latencyMs + jitter(random));
            }
            const double error = taps.estimate()->offsetMs - latencyMs;
            within8 += std::abs(error) <= 8.0 ? 1 : 0;
            within15 += std::abs(error) <= 15.0 ? 1 : 0;
            sum += error;
        }
        EXPECT_GE(within8, 700) << "latency " << latencyMs;
        EXPECT_GE(within15, 950) << "latency " << latencyMs;
        EXPECT_NEAR(sum / kTrials, 0.0, 1.0) << "latency " << latencyMs;
    }
}

TEST(FlashAlignment, TheFlashIsDrawnAheadOfItsClickByTheVisualOffset) {
    FlashAlignment flash(1000.0, 0.0);
    EXPECT_TRUE(flash.flashing(1000.0));
    EXPECT_TRUE(flash.flashing(1500.0 + FlashAlignment::kFlashMs - 1.0));
    EXPECT_FALSE(flash.flashing(1500.0 + FlashAlignment::kFlashMs));
    EXPECT_FALSE(flash.flashing(1499.0));
    // Four presses of Left: drawn 20 ms before each click.
    for (int i = 0; i < 4; ++i) {
        flash.earlier();
    }
    EXPECT_DOUBLE_EQ(flash.visualOffsetMs(), 20.0);
    EXPECT_TRUE(flash.flashing(1480.0));
    EXPECT_FALSE(flash.flashing(1479.0));
    flash.later();
    EXPECT_DOUBLE_EQ(flash.visualOffsetMs(), 15.0);
    // No further than the setting goes.
    FlashAlignment far(1000.0, -198.0);
    far.later();
    EXPECT_DOUBLE_EQ(far.visualOffsetMs(), -200.0);
}

} // namespace
