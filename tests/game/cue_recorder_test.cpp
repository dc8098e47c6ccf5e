#include "game/cue_recorder.h"
#include "game/time_controller.h"
#include "platform/glfw_compat.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using util::TimeController;

class RecorderTest : public ::testing::Test {
protected:
    void SetUp() override { platform::useScriptedInput(&input); }
    void TearDown() override { platform::useScriptedInput(nullptr); }

    // One frame with V held (or not) at the given music position.
    void frame(CueRecorder& recorder, bool vDown, double positionMs) {
        input.keys[GLFW_KEY_V] = vDown ? 1 : 0;
        recorder.record(positionMs);
    }

    platform::InputState input;
    testsupport::ScratchDir dir;
};

TEST_F(RecorderTest, EachFreshPressAppendsOneRecordInTheRecordingFormat) {
    const std::string path = dir.file("rec.cfg");
    CueRecorder recorder(path);
    recorder.setEnabled(true);
    frame(recorder, false, 10.0);
    frame(recorder, true, 500.25); // press
    frame(recorder, true, 516.0);  // held: no record
    frame(recorder, false, 532.0);
    frame(recorder, true, 1234.5); // second press
    EXPECT_EQ(recorder.getRecordedCount(), 2);
    EXPECT_EQ(testsupport::readFile(path), "\n     500.250000\n    1234.500000");
}

TEST_F(RecorderTest, DisabledRecorderIgnoresTheKeyAndAppendsToExistingFiles) {
    const std::string path = dir.write("rec.cfg", "\n      1.000000");
    CueRecorder recorder(path);
    EXPECT_FALSE(recorder.isEnabled());
    frame(recorder, true, 100.0);
    EXPECT_EQ(recorder.getRecordedCount(), 0);
    // A key already down when recording starts counts as a fresh press.
    recorder.setEnabled(true);
    frame(recorder, true, 200.0);
    EXPECT_EQ(testsupport::readFile(path), "\n      1.000000\n     200.000000");
}

TEST_F(RecorderTest, UnwritableFileIsReportedAndNotCounted) {
    CueRecorder recorder(dir.file("missing_dir/rec.cfg"));
    recorder.setEnabled(true);
    testing::internal::CaptureStderr();
    frame(recorder, true, 100.0);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("missing_dir/rec.cfg"),
              std::string::npos);
    EXPECT_EQ(recorder.getRecordedCount(), 0);
}

class LoadRecordingTest : public ::testing::Test {
protected:
    std::vector<double> load(const std::string& text) {
        const std::string path = dir.write("track.cfg", text);
        testing::internal::CaptureStdout();
        std::vector<double> values = TimeController::loadRecording(path);
        printed = testing::internal::GetCapturedStdout();
        return values;
    }

    testsupport::ScratchDir dir;
    std::string printed;
};

TEST_F(RecorderTest, RecorderMadeFileLoadsAllButTheLastRecord) {
    const std::string path = dir.file("rec.cfg");
    CueRecorder recorder(path);
    recorder.setEnabled(true);
    const std::vector<double> positions{480.5, 1000.0, 1500.125, 2250.0};
    for (double position : positions) {
        frame(recorder, true, position);
        frame(recorder, false, position + 16.0);
    }
    testing::internal::CaptureStdout();
    std::vector<double> values = TimeController::loadRecording(path);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "rec size 3\n");
    EXPECT_EQ(values, std::vector<double>(positions.begin(), positions.end() - 1));
}

// A commented first line is skipped and not counted; a comment among the
// values takes an entry of its own.
TEST_F(LoadRecordingTest, CommentsAreSkippedFirstAndTakeAnEntryAmongTheValues) {
    EXPECT_EQ(load("# beats\n100\n200\n300\n400\n"), (std::vector<double>{100.0, 200.0}));
    EXPECT_EQ(printed, "rec size 2\n");
    // Line 3 is a comment: not counted, but parsed in its place, so it holds
    // an entry (the value before it) and the last two lines are left out.
    std::vector<double> values = load("\n100\n# marker\n  200.5xyz\n300\n400");
    EXPECT_EQ(printed, "rec size 3\n");
    EXPECT_EQ(values, (std::vector<double>{100.0, 100.0, 200.5}));
}

TEST(ReadRecording, ValuesThatAreNoMomentRepeatTheOneBefore) {
    // A NaN would never come due and stall its track.
    std::istringstream text("\n100\nnan\n-inf\n250\nINFINITY\n0x1p4\n");
    EXPECT_EQ(TimeController::readRecording(text),
              (std::vector<double>{100.0, 100.0, 100.0, 250.0, 250.0}));
}

TEST_F(LoadRecordingTest, ShortOrMissingFilesGiveEmptyTracks) {
    EXPECT_TRUE(load("").empty());
    EXPECT_EQ(printed, "rec size 0\n");
    EXPECT_TRUE(load("\n     100.000000").empty());
    EXPECT_EQ(printed, "rec size 0\n");

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    EXPECT_TRUE(TimeController::loadRecording(dir.file("nothing.cfg")).empty());
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "rec size 0\n");
    EXPECT_NE(testing::internal::GetCapturedStderr().find("nothing.cfg"), std::string::npos);
}

} // namespace
