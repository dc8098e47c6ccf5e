#pragma once

#include <vector>

#include "onset_analysis.h"

namespace chart {

// The slowest and fastest tempo the tracker considers.
constexpr double kMinTempoBpm = 60.0;
constexpr double kMaxTempoBpm = 200.0;

// Beats (ms, ascending) across the whole envelope; empty when the song has
// no pulse to follow (silence, or sound without any repeating onsets).
//
// aubio's own tracker works causally and on this kind of material locks on
// the off-beat or drifts a few percent, so the beats are found over the
// whole song at once, on aubio's onset envelope: the tempo from the
// envelope's autocorrelation, then the best-scoring chain of onsets spaced
// about one period apart (dynamic programming).
std::vector<double> trackBeats(const OnsetAnalysis& analysis);

// The mean tempo of a run of beats; 0 with fewer than two.
double tempoOf(const std::vector<double>& beatsMs);

} // namespace chart
