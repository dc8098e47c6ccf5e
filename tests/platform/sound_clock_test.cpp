#include "platform/sound_clock.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

using platform::sound::ChannelPosition;
using platform::sound::SilentClock;
using platform::sound::SteppedClock;

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

TEST(SteppedClockTest, FollowsTheUpperEdgeOfACoarseClockWithinTwoMilliseconds) {
    SteppedClock clock;
    const double periodMs = 1024.0 / 44.1; // one mixing period
    const double frameMs = 1000.0 / 60.0;
    double previous = 0.0;
    double worstLateMs = 0.0;
    for (int frame = 0; frame < 600; ++frame) {
        const double nowMs = frame * frameMs;
        const double out = clock.track(steppedReport(nowMs, periodMs), nowMs);
        EXPECT_GE(out, previous);
        EXPECT_LE(out, nowMs + 1e-9) << "never ahead of the device";
        if (frame > 60) {
            worstLateMs = std::max(worstLateMs, nowMs - out);
        }
        previous = out;
    }
    // The raw clock lags by up to a whole period.
    EXPECT_LT(worstLateMs, 2.0);
}

TEST(SteppedClockTest, FollowsADeviceThatFellFarBehindWithoutSteppingBack) {
    SteppedClock clock;
    clock.track(1000.0, 1000.0);
    // The device starves: its clock falls 200 ms behind the zero. The zero
    // follows it and the output waits instead of stepping back.
    EXPECT_EQ(clock.track(820.0, 1020.0), 1000.0);
    EXPECT_EQ(clock.track(1050.0, 1250.0), 1050.0);
    // A lag within one period is the device's stepping, not a fall.
    EXPECT_EQ(clock.track(1090.0, 1310.0), 1110.0);
}

TEST(ChannelPositionTest, NeverStepsBackWhilePlayingButTakesTheMusicAsItIsAfterAResume) {
    ChannelPosition position;
    position.resume(); // started paused: nothing is heard for the device's latency
    EXPECT_EQ(position.follow(-40.0, 1000.0), 0.0);
    EXPECT_EQ(position.follow(500.0, 1500.0), 500.0);
    // A device whose latency grows makes the heard position dip: held.
    EXPECT_EQ(position.follow(495.0, 1510.0), 500.0);
    EXPECT_EQ(position.follow(520.0, 1520.0), 520.0);
    // Paused at 520, resumed: the device picks the sound up where its mixing
    // period begins, 15 ms before.
    position.resume();
    EXPECT_EQ(position.follow(505.0, 9000.0), 505.0);
    EXPECT_EQ(position.follow(500.0, 9001.0), 505.0) << "only the first reading may be lower";
    EXPECT_EQ(position.follow(530.0, 9025.0), 530.0);
}

TEST(ChannelPositionTest, CoastsWithTheWallClockToTheEndOnlyOnceItHasFollowed) {
    ChannelPosition position;
    EXPECT_EQ(position.coast(1000.0, 5000.0), 0.0) << "nothing heard yet";
    position.follow(4900.0, 10000.0);
    EXPECT_EQ(position.coast(10050.0, 5000.0), 4950.0);
    EXPECT_EQ(position.coast(10300.0, 5000.0), 5000.0);
}

} // namespace
