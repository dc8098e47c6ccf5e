#include "library/charting_queue.h"

#include "platform/child_process.h"

#include <algorithm>
#include <cstring>

namespace library {

namespace {

constexpr const char* kProgressPrefix = "PROGRESS: ";
constexpr const char* kChartPrefix = "CHART: ";

bool sameSong(const ChartJob& a, const std::string& identity, Density density) {
    return a.identity == identity && a.density == density;
}

} // namespace

ChartingQueue::ChartingQueue(std::filesystem::path tool, double timeLimitSeconds)
    : tool(std::move(tool)), timeLimitSeconds(timeLimitSeconds) {}

ChartingQueue::~ChartingQueue() = default;

void ChartingQueue::add(const ChartJob& job, bool urgent) {
    if (child && sameSong(current, job.identity, job.density)) {
        return;
    }
    auto queued = std::find_if(waiting.begin(), waiting.end(), [&](const ChartJob& other) {
        return sameSong(other, job.identity, job.density);
    });
    if (queued != waiting.end()) {
        if (!urgent) {
            return;
        }
        waiting.erase(queued);
    }
    urgent ? waiting.push_front(job) : waiting.push_back(job);
}

void ChartingQueue::dropWaiting() {
    waiting.clear();
}

bool ChartingQueue::has(const std::string& identity, Density density) const {
    return (child && sameSong(current, identity, density)) ||
           std::any_of(waiting.begin(), waiting.end(),
                       [&](const ChartJob& job) { return sameSong(job, identity, density); });
}

void ChartingQueue::update(double nowSeconds) {
    if (!child) {
        startNext(nowSeconds);
        return;
    }
    child->readLines(lines);
    for (auto line = lines.rbegin(); line != lines.rend(); ++line) {
        if (line->rfind(kProgressPrefix, 0) == 0) {
            percent = std::clamp(std::atoi(line->c_str() + std::strlen(kProgressPrefix)), 0, 100);
            break;
        }
    }
    if (child->finished()) {
        finish(nowSeconds);
    } else if (nowSeconds - startedAt > timeLimitSeconds) {
        child->kill();
        outcomes.push_back({current, false,
                            "the charting took longer than " +
                                std::to_string(static_cast<int>(timeLimitSeconds)) + " s",
                            true});
        child.reset(); // reaps it
    }
}

void ChartingQueue::startNext(double nowSeconds) {
    while (!waiting.empty() && !child) {
        current = waiting.front();
        waiting.pop_front();
        lines.clear();
        percent = 0;
        startedAt = nowSeconds;
        std::string error;
        child = platform::ChildProcess::start(tool,
                                              {current.song.string(), "--density",
                                               densityName(current.density), "--out",
                                               current.folder.string(), "--progress"},
                                              kNiceness, error);
        if (!child) {
            outcomes.push_back({current, false, error, false});
        }
    }
}

void ChartingQueue::finish(double /*nowSeconds*/) {
    child->readLines(lines);
    const bool summarised = std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind(kChartPrefix, 0) == 0;
    });
    ChartOutcome outcome{current, false, "", true};
    if (child->endingSignal() != 0) {
        outcome.reason =
            std::string("the charting tool crashed: ") + strsignal(child->endingSignal());
    } else if (child->exitStatus() == 0 && summarised) {
        outcome.charted = true;
    } else {
        outcome.reason = reasonFromTool();
    }
    outcomes.push_back(outcome);
    child.reset();
}

// The tool's one line, "cueflight-chart: SONG: reason", down to the reason.
std::string ChartingQueue::reasonFromTool() const {
    std::string line = child->lastErrorLine();
    const std::string prefix = "cueflight-chart: " + current.song.string() + ": ";
    if (line.rfind(prefix, 0) == 0) {
        return line.substr(prefix.size());
    }
    if (line.empty()) {
        return "the charting tool failed (status " + std::to_string(child->exitStatus()) + ")";
    }
    return line;
}

std::vector<ChartOutcome> ChartingQueue::takeOutcomes() {
    std::vector<ChartOutcome> taken;
    taken.swap(outcomes);
    return taken;
}

} // namespace library
