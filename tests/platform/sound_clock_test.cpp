#include "platform/sound_clock.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using platform::sound::SilentClock;
using platform::sound::SmoothedPosition;

// A device that updates its report every periodMs, exact at each update.
double steppedReport(double trueMs, double periodMs) {
    return std::floor(trueMs / periodMs) * periodMs;
}

TEST(SilentClockTest, RunsWithTheWallClockAndFreezesWhilePaused) {
    SilentClock clock;
    clock.start(true, 1000.0);
    EXPECT_EQ(clock.elapsedMs(5000.0), 0.0);
    clock.resume(5000.0);
    EXPECT_EQ(clock.elapsedMs(5250.0), 250.0);
    clock.pause(5300.0);
    EXPECT_EQ(clock.elapsedMs(15300.0), 300.0);
    clock.pause(16000.0); // a second pause changes nothing
    clock.resume(20000.0);
    EXPECT_EQ(clock.elapsedMs(20100.0), 400.0);
}

TEST(SmoothedPositionTest, FollowsTheUpperEdgeOfACoarseReportWithinTwoMilliseconds) {
    SmoothedPosition position;
    const double periodMs = 1024.0 / 44.1; // one mixing period
    const double frameMs = 1000.0 / 60.0;
    double previous = 0.0;
    double worstLateMs = 0.0;
    for (int frame = 0; frame < 600; ++frame) {
        const double nowMs = frame * frameMs;
        const double out = position.track(steppedReport(nowMs, periodMs), nowMs);
        EXPECT_GE(out, previous);
        EXPECT_LE(out, nowMs + 1e-9) << "never ahead of the sound";
        if (frame > 60) {
            worstLateMs = std::max(worstLateMs, nowMs - out);
        }
        previous = out;
    }
    // The raw report lags by up to a whole period.
    EXPECT_LT(worstLateMs, 2.0);
}

TEST(SmoothedPositionTest, AStallHoldsThePositionThenCatchesUpWithoutSteppingBack) {
    SmoothedPosition position;
    double nowMs = 0.0;
    for (; nowMs < 1000.0; nowMs += 10.0) {
        position.track(nowMs, nowMs);
    }
    // The device starves for 300 ms; once it plays again it reports 300 ms less
    // than the wall clock says.
    const double held = position.lastMs();
    position.restart();
    EXPECT_EQ(position.track(held - 300.0 + 10.0, nowMs + 300.0), held);
    double out = 0.0;
    for (double t = 20.0; t <= 400.0; t += 10.0) {
        out = position.track(held - 300.0 + t, nowMs + 300.0 + t - 10.0);
        EXPECT_GE(out, held);
    }
    EXPECT_NEAR(out, held + 100.0, 1e-6);
}

TEST(SmoothedPositionTest, FollowsAFarFallBehindWithoutARestartAndCoastsToTheEnd) {
    SmoothedPosition position;
    position.track(1000.0, 1000.0);
    // The report falls 200 ms behind the edge: the edge follows it, the
    // output waits instead of stepping back.
    EXPECT_EQ(position.track(820.0, 1020.0), 1000.0);
    EXPECT_EQ(position.track(1050.0, 1250.0), 1050.0);
    EXPECT_EQ(position.coast(1300.0, 1080.0), 1080.0);
}

} // namespace
