#pragma once

#include <vector>

#include "course_signals.h"

namespace chart {

// A stretch of a song that sounds alike: about as loud and as busy
// throughout, and unlike its neighbours.
struct SongSection {
    double startMs = 0.0;
    double endMs = 0.0;
    double loudness = 0.0; // CourseSignals::loudnessOver it
};

// No section is shorter than this unless the song is.
constexpr double kMinSectionMs = 8000.0;

// The sections of the first endMs of a song, in order, covering it from
// 0 ms: the split into stretches of at least kMinSectionMs whose loudness and
// busyness stray least from each stretch's own mean, each new section paying
// a fixed cost, so only a real change starts one (found by dynamic
// programming over whole seconds).
std::vector<SongSection> findSections(const CourseSignals& signals, double endMs);

} // namespace chart
