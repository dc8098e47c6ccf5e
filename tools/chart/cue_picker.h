#pragma once

#include <vector>

#include "chart.h"
#include "onset_analysis.h"

namespace chart {

// Cues this long before the level's end at the latest, so the last one's
// window has closed when the accuracy is shown.
constexpr double kLastCueBeforeEndMs = 1000.0;

// Cues per second the density asks for in the busiest passages.
double cueRate(Density density);

// The onsets moved onto the beat grid (quarter beats; half beats for easy)
// where they lie near it, then the strongest taken at the density's rate,
// fewer where the song is quiet, none in the first kFirstCueMs or after
// endMs - kLastCueBeforeEndMs, never two closer than kMinCueSpacingMs.
// The grid takes two beats or more: with fewer there are no cues.
std::vector<double> pickCues(const OnsetAnalysis& analysis, const std::vector<double>& beatsMs,
                             Density density, double endMs);

} // namespace chart
