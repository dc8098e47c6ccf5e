#include "game/time_controller.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

using util::TimeController;

// Builds the controller from recordings written into a scratch working directory.
class TimeControllerTest : public ::testing::Test {
protected:
    void SetUp() override { previousDir = std::filesystem::current_path(); }
    void TearDown() override {
        TimeController::destroyInstance();
        std::filesystem::current_path(previousDir);
    }

    TimeController& make(const std::string& beats, const std::string& cues) {
        std::filesystem::current_path(dir.path());
        std::ofstream("rec.cfg") << beats;
        std::ofstream("rec2.cfg") << cues;
        TimeController::destroyInstance();
        testing::internal::CaptureStdout();
        TimeController& controller = *TimeController::getInstance();
        printed = testing::internal::GetCapturedStdout();
        return controller;
    }

    testsupport::ScratchDir dir;
    std::filesystem::path previousDir;
    std::string printed;
};

TEST_F(TimeControllerTest, LoadsBeatsThenCuesAndStaysInactiveUntilSwitchedOn) {
    TimeController& tc = make("\n100\n200\n300", "\n1000\n2000\n3000\n4000");
    EXPECT_EQ(printed, "rec size 2\nrec size 3\n");
    EXPECT_EQ(tc.trackCounts, (std::array<int, 2>{2, 3}));
    EXPECT_EQ(tc.beatTimes, (std::vector<double>{100.0, 200.0}));
    EXPECT_FALSE(tc.active);
    EXPECT_EQ(tc.update(100000.0), util::noEvent);
    EXPECT_EQ(tc.nextIndex, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(tc.drift, 0.0);
}

TEST_F(TimeControllerTest, BeatsDueTogetherFireOnConsecutiveCallsThenTheCue) {
    TimeController& tc = make("\n1000\n1010\n5000\n9999", "\n1005\n6000\n9999");
    tc.active = true;
    EXPECT_EQ(tc.update(1000.0), util::beatEvent);
    EXPECT_EQ(tc.update(1000.0), util::beatEvent);
    EXPECT_EQ(tc.update(1000.0), util::cueEvent);
    EXPECT_EQ(tc.update(1000.0), util::noEvent);
    EXPECT_EQ(tc.nextIndex, (std::array<int, 2>{2, 1}));
    // Lateness of each firing, now - recorded, with now = 1150.
    EXPECT_DOUBLE_EQ(tc.drift, 150.0 + 140.0 + 145.0);
}

TEST_F(TimeControllerTest, FirstEventFiresStrictlyPastTheEarlyMarginThenDriftMovesTheThreshold) {
    TimeController& tc = make("\n1000\n2000\n9999", "");
    tc.active = true;
    // 834 + 150 = 984 = 1000 - 16: not yet.
    EXPECT_EQ(tc.update(834.0), util::noEvent);
    EXPECT_EQ(tc.update(834.5), util::beatEvent);
    EXPECT_DOUBLE_EQ(tc.drift, -15.5);
    // The next threshold is 2000 + 15.5 - 16 = 1999.5 on the event clock.
    EXPECT_EQ(tc.update(1849.5), util::noEvent);
    EXPECT_EQ(tc.update(1849.75), util::beatEvent);
    // Both entries consumed: the index at the end is never read.
    EXPECT_EQ(tc.update(1.0e9), util::noEvent);
    EXPECT_EQ(tc.nextIndex[0], 2);
}

// A practice loop goes back to an earlier song position: what is not yet due
// there fires again, at its own time, lateness forgotten.
TEST_F(TimeControllerTest, RestartingAtAnEarlierPositionFiresItsEntriesAgain) {
    TimeController& tc = make("\n1000\n2000\n3000\n9999", "\n1500\n2500\n9999");
    tc.active = true;
    while (tc.update(3000.0) != util::noEvent) {
    }
    EXPECT_EQ(tc.nextIndex, (std::array<int, 2>{3, 2}));
    ASSERT_GT(tc.drift, 0.0);
    // At 1800 the event clock reads 1950: the beat at 2000 is not yet due
    // (1950 is short of 2000 - 16 by 34) and neither is the cue at 2500.
    tc.restartAt(1800.0);
    EXPECT_EQ(tc.nextIndex, (std::array<int, 2>{1, 1}));
    EXPECT_EQ(tc.drift, 0.0);
    EXPECT_EQ(tc.update(1800.0), util::noEvent);
    EXPECT_EQ(tc.update(1835.0), util::beatEvent);
    EXPECT_EQ(tc.update(2350.0), util::cueEvent);
}

TEST_F(TimeControllerTest, MissingRecordingsGiveEmptyTracksWithoutEvents) {
    std::filesystem::current_path(dir.path());
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    TimeController& tc = *TimeController::getInstance();
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "rec size 0\nrec size 0\n");
    testing::internal::GetCapturedStderr();
    tc.active = true;
    EXPECT_EQ(tc.trackCounts, (std::array<int, 2>{0, 0}));
    EXPECT_EQ(tc.update(1.0e9), util::noEvent);
    EXPECT_EQ(tc.cueTime(0), -1.0);
}

TEST_F(TimeControllerTest, CueTimeHidesNegativeLastAndPastTheEndIndices) {
    TimeController& tc = make("", "\n100\n200\n300\n400");
    ASSERT_EQ(tc.trackCounts[1], 3);
    EXPECT_EQ(tc.cueTime(0), 100.0);
    EXPECT_EQ(tc.cueTime(1), 200.0);
    for (int hidden : {-1, 2, 3, 1000}) {
        EXPECT_EQ(tc.cueTime(hidden), -1.0) << hidden;
    }
}

} // namespace
