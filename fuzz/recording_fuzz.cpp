// Feeds arbitrary text to the recording reader as if it were rec.cfg or
// rec2.cfg, then uses the times the way the level does: a place on the path
// for every cue, and the time controller run through the whole song.

#include "fuzz_support.h"
#include "game/cue_reach.h"
#include "game/path.h"
#include "game/time_controller.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

// Coarse frames through the song and past its end: one event at most per
// frame, so several due at once still come out one by one.
constexpr double kFrameMs = 500.0;
constexpr double kSongEndMs = 120000.0;

void placeCues(const std::vector<double>& times) {
    static const game::PathPoints points = game::pathControlPoints();
    for (double time : times) {
        fuzzsupport::require(std::isfinite(time), "a loaded time is not a moment");
        const glm::vec4 place = game::pathPointAt(points, (time + game::kCueLeadMs) / 1000.0);
        fuzzsupport::require(std::isfinite(place.x) && std::isfinite(place.y) &&
                                 std::isfinite(place.z),
                             "cue placed off the path");
    }
}

// Both tracks hold the input's times; every entry is consumed at most once
// and the indices never pass the counts.
void playSong(const std::vector<double>& times) {
    util::TimeController& clock = *util::TimeController::getInstance();
    clock.beatTimes = times;
    clock.cueTimes = times;
    clock.trackCounts = {static_cast<int>(times.size()), static_cast<int>(times.size())};
    clock.nextIndex = {0, 0};
    clock.drift = 0.0;
    clock.active = true;
    for (double position = 0.0; position < kSongEndMs; position += kFrameMs) {
        if (clock.nextIndex == clock.trackCounts) {
            break;
        }
        clock.update(position);
        fuzzsupport::require(clock.nextIndex[0] <= clock.trackCounts[0] &&
                                 clock.nextIndex[1] <= clock.trackCounts[1],
                             "time controller ran past a track");
    }
    for (int i = -1; i <= clock.trackCounts[1]; ++i) {
        clock.cueTime(i);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::silenceGameStreams();
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    const std::vector<double> times = util::TimeController::readRecording(text);
    placeCues(times);
    playSong(times);
    return 0;
}
