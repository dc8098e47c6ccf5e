#include "game/time_controller.h"

#include "game/recording_format.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>

namespace util {
namespace {

// Lines whose first character is not '#', minus 2: the recorder writes an empty
// first line, and the last record is dropped on purpose (it is typically the
// key press that stopped the recording).
int countEntries(std::istream& file) {
    int count = -2;
    std::string line;
    while (std::getline(file, line)) {
        if (line.empty() || line.front() != '#') {
            ++count;
        }
    }
    return count;
}

// A line that does not parse repeats the value before it, so the track stays
// ascending and the entry fires right after its predecessor. "nan" and "inf"
// parse as numbers but are no moment of the song: a NaN would never come due
// and stall its track, so they count as lines that do not parse.
std::vector<double> parseEntries(std::istream& file, int count) {
    std::vector<double> values(static_cast<std::size_t>(count), 0.0);
    std::string line;
    std::getline(file, line);
    double previous = 0.0;
    for (double& value : values) {
        std::getline(file, line);
        if (std::sscanf(line.c_str(), "%lf", &value) != 1 || !std::isfinite(value)) {
            value = previous;
        }
        previous = value;
    }
    return values;
}

} // namespace

TimeController::TimeController()
    : beatTimes(loadRecording(game::kBeatRecordingFile)),
      cueTimes(loadRecording(game::kCueRecordingFile)), trackCounts{
                                                            static_cast<int>(beatTimes.size()),
                                                            static_cast<int>(cueTimes.size())} {}

std::vector<double> TimeController::loadRecording(const std::string& path) {
    std::ifstream file(path);
    if (!file) {
        std::cerr << "cannot open recording \"" << path << "\"" << std::endl;
        std::cout << "rec size 0" << std::endl;
        return {};
    }
    std::vector<double> values = readRecording(file);
    std::cout << "rec size " << values.size() << std::endl;
    return values;
}

std::vector<double> TimeController::readRecording(std::istream& in) {
    const int count = std::max(countEntries(in), 0);
    in.clear();
    in.seekg(0);
    return parseEntries(in, count);
}

int TimeController::update(double positionMs) {
    if (!active) {
        return noEvent;
    }
    const double now = positionMs + lookaheadMs;
    if (consumeIfDue(0, beatTimes, now)) {
        return beatEvent;
    }
    if (consumeIfDue(1, cueTimes, now)) {
        return cueEvent;
    }
    return noEvent;
}

bool TimeController::consumeIfDue(int track, const std::vector<double>& times, double now) {
    const int index = nextIndex[track];
    // The index is tested first: the entry at the end of a track does not exist.
    if (index >= trackCounts[track] || !(times[index] - drift - earlyMarginMs < now)) {
        return false;
    }
    drift += now - times[index];
    nextIndex[track] = index + 1;
    return true;
}

void TimeController::restartAt(double positionMs) {
    drift = 0.0;
    const double now = positionMs + lookaheadMs;
    const std::array<const std::vector<double>*, 2> tracks{&beatTimes, &cueTimes};
    for (std::size_t track = 0; track < tracks.size(); ++track) {
        const std::vector<double>& times = *tracks[track];
        const auto count = static_cast<std::size_t>(trackCounts[track]);
        std::size_t index = 0;
        while (index < count && times[index] - earlyMarginMs < now) {
            ++index;
        }
        nextIndex[track] = static_cast<int>(index);
    }
}

double TimeController::cueTime(int index) const {
    if (index < 0 || index + 1 >= trackCounts[1]) {
        return -1.0;
    }
    return cueTimes[index];
}

} // namespace util
