#include "library/charting_queue.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

namespace fs = std::filesystem;
using library::ChartJob;
using library::ChartOutcome;
using library::Density;

// A stand-in for the charting tool that does what the song's name says.
constexpr const char* kFakeTool = R"sh(#!/bin/sh
song="$1"; density="$3"; out="$5"
case "$(basename "$song")" in
good*) echo "PROGRESS: 0"; echo "PROGRESS: 60"; mkdir -p "$out"; echo "$density" > "$out/density"
       echo "CHART: 120.0 BPM, 20 beats, 10 cues, 12.0 s" ;;
bad*) echo "PROGRESS: 0"; echo "cueflight-chart: $song: not audio that can be decoded" >&2; exit 1 ;;
crash*) kill -SEGV $$ ;;
hang*) echo "PROGRESS: 12"; exec sleep 60 ;;
esac
)sh";

class ChartingQueueTest : public ::testing::Test {
protected:
    ChartingQueueTest() {
        tool = scratch.write("fake-chart", kFakeTool);
        fs::permissions(tool, fs::perms::owner_all);
    }

    ChartJob job(const std::string& song, Density density = Density::Normal) {
        return {song + "-id", scratch.path() / song, density, scratch.path() / "charts" / song};
    }

    // Frames until the queue is idle or runs a hanging song, the clock
    // standing at `now`.
    std::vector<ChartOutcome> runAll(library::ChartingQueue& queue, double now = 0.0) {
        std::vector<ChartOutcome> all;
        for (int frame = 0; frame < 4000; ++frame) {
            queue.update(now);
            for (ChartOutcome& outcome : queue.takeOutcomes()) {
                all.push_back(outcome);
            }
            const library::ChartJob* running = queue.running();
            if ((!running && queue.waitingCount() == 0) ||
                (running && running->song.filename().string().rfind("hang", 0) == 0)) {
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return all;
    }

    testsupport::ScratchDir scratch;
    fs::path tool;
};

TEST_F(ChartingQueueTest, OneSongAtATimeTheUrgentFirstAndEachOnce) {
    library::ChartingQueue queue(tool);
    queue.add(job("good-a"));
    queue.add(job("good-b"));
    queue.add(job("good-a"));                // waiting already
    queue.add(job("good-a", Density::Hard)); // another density is another chart
    queue.add(job("good-c"), true);          // the player waits for this one
    EXPECT_EQ(queue.waitingCount(), 4u);
    queue.update(0.0);
    ASSERT_NE(queue.running(), nullptr);
    EXPECT_EQ(queue.running()->song.filename(), "good-c");
    EXPECT_EQ(queue.waitingCount(), 3u);
    queue.add(job("good-c")); // running already
    EXPECT_TRUE(queue.has("good-c-id", Density::Normal));
    EXPECT_FALSE(queue.has("good-c-id", Density::Easy));

    const std::vector<ChartOutcome> outcomes = runAll(queue);
    ASSERT_EQ(outcomes.size(), 4u);
    std::vector<std::string> order;
    for (const ChartOutcome& outcome : outcomes) {
        EXPECT_TRUE(outcome.charted) << outcome.reason;
        order.push_back(outcome.job.song.filename().string() + "/" +
                        library::densityName(outcome.job.density));
    }
    EXPECT_EQ(order, (std::vector<std::string>{"good-c/normal", "good-a/normal", "good-b/normal",
                                               "good-a/hard"}));
    EXPECT_EQ(testsupport::readFile(scratch.path() / "charts/good-a/density"), "hard\n");
}

TEST_F(ChartingQueueTest, AFailureCrashOrHangIsTheSongsOneLineAndTheQueueGoesOn) {
    library::ChartingQueue queue(tool, 120.0);
    queue.add(job("bad.ogg"));
    queue.add(job("crash.mp3"));
    queue.add(job("hang.wav"));
    queue.add(job("good.flac"));
    std::vector<ChartOutcome> outcomes = runAll(queue); // stops at the hang
    ASSERT_EQ(outcomes.size(), 2u);
    EXPECT_EQ(outcomes[0].reason, "not audio that can be decoded");
    EXPECT_EQ(outcomes[1].reason, "the charting tool crashed: Segmentation fault");
    ASSERT_NE(queue.running(), nullptr);
    EXPECT_EQ(queue.running()->song.filename(), "hang.wav");
    for (int frame = 0; frame < 2000 && queue.runningPercent() != 12; ++frame) {
        queue.update(1.0);
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    EXPECT_EQ(queue.runningPercent(), 12);
    queue.update(121.5); // past the limit from its start at 0 s
    outcomes = queue.takeOutcomes();
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_EQ(outcomes[0].reason, "the charting took longer than 120 s");
    outcomes = runAll(queue, 121.5);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_TRUE(outcomes[0].charted);
    for (const ChartOutcome& outcome : outcomes) {
        EXPECT_TRUE(outcome.songsFault);
    }

    // A tool that is not there is no song's fault.
    library::ChartingQueue broken(scratch.path() / "no-such-tool");
    broken.add(job("good"));
    outcomes = runAll(broken);
    ASSERT_EQ(outcomes.size(), 1u);
    EXPECT_FALSE(outcomes[0].charted);
    EXPECT_FALSE(outcomes[0].songsFault);
}

} // namespace
