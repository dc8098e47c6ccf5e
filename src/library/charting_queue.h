#pragma once

#include "library/chart_cache.h"

#include <deque>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace platform {
class ChildProcess;
}

// Charting in the background: one song at a time, by the charting tool run
// as a niced child process, so the game neither links its analysis (aubio,
// GPL-3) nor goes down with a decoder that crashes or hangs on a hostile
// file. Polled once a frame; nothing here ever waits.

namespace library {

struct ChartJob {
    std::string identity;       // the song's SHA-256
    std::filesystem::path song; // the file to chart
    Density density = Density::Normal;
    std::filesystem::path folder; // where the chart goes (see chartFolder)
};

struct ChartOutcome {
    ChartJob job;
    bool charted = false;
    std::string reason; // why not, in one line
    // Whether the song is to blame: a file that cannot be charted is not
    // tried again until it changes; a tool that cannot be run is no song's
    // fault.
    bool songsFault = false;
};

class ChartingQueue {
public:
    // How long one song may take before its decoder counts as hung.
    static constexpr double kTimeLimitSeconds = 120.0;
    // How far the tool gives way to the game on the processor.
    static constexpr int kNiceness = 10;

    explicit ChartingQueue(std::filesystem::path tool, double timeLimitSeconds = kTimeLimitSeconds);
    ~ChartingQueue();
    ChartingQueue(const ChartingQueue&) = delete;
    ChartingQueue& operator=(const ChartingQueue&) = delete;

    // Queues the job unless the same song and density waits or runs already;
    // an urgent one (the player is waiting for it) goes first, and moves
    // ahead if it was waiting.
    void add(const ChartJob& job, bool urgent = false);
    // Forgets the waiting jobs; the running one goes on.
    void dropWaiting();
    // Once a frame, with the time in seconds: starts the next job when none
    // runs, follows the running one's progress, and ends it at its end or
    // at the time limit.
    void update(double nowSeconds);
    // The jobs ended since the last call.
    std::vector<ChartOutcome> takeOutcomes();

    // The job running now, if any, and how far it is (0 to 100).
    const ChartJob* running() const { return child ? &current : nullptr; }
    int runningPercent() const { return percent; }
    bool has(const std::string& identity, Density density) const;
    std::size_t waitingCount() const { return waiting.size(); }

private:
    void startNext(double nowSeconds);
    void finish(double nowSeconds);
    std::string reasonFromTool() const;

    std::filesystem::path tool;
    double timeLimitSeconds;
    std::deque<ChartJob> waiting;
    ChartJob current;
    std::unique_ptr<platform::ChildProcess> child;
    double startedAt = 0.0;
    int percent = 0;
    std::vector<std::string> lines; // the running tool's output, read so far
    std::vector<ChartOutcome> outcomes;
};

} // namespace library
