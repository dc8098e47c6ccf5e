#pragma once

#include "game/course.h"
#include "onset_analysis.h"

namespace chart {

// The course of a song charted to end at endMs: its shape, the loudness at
// each point, its sections and their colours, and its flares. The song's
// own sound seeds every choice, so a song always gets the same course and
// two songs hardly ever the same one.
game::Course makeCourse(const OnsetAnalysis& analysis, double endMs);

} // namespace chart
