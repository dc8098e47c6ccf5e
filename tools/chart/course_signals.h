#pragma once

#include <vector>

#include "onset_analysis.h"

namespace chart {

// The song as its course hears it: one value every kSignalStepMs from 0 ms.
constexpr double kSignalStepMs = 100.0;

struct CourseSignals {
    // Loudness from 0 (the song's quiet passages) to 1 (its loud ones), per
    // step as it is (sections) and smoothed over a few seconds (pace, climbs).
    std::vector<double> loudness;
    std::vector<double> smoothLoudness;
    // How many onsets a passage has, from 0 (none) to 1 (the song's busiest).
    std::vector<double> busyness;
    // The mean square of the samples in each step, and the scale that makes
    // decibels of it the loudness above.
    std::vector<double> power;
    double floorDb = 0.0;
    double rangeDb = 1.0;

    // The mean of a signal from one moment to another (at least one step).
    double meanOver(const std::vector<double>& signal, double fromMs, double toMs) const;
    // The loudness of a whole stretch, from its mean power (0 to 1).
    double loudnessOver(double fromMs, double toMs) const;
};

// The signals of the first endMs of an analysed song. Loudness is measured
// in dB between the song's quiet and loud percentiles, over at least 12 dB,
// so a song of even loudness sits in the middle rather than at either end.
CourseSignals courseSignals(const OnsetAnalysis& analysis, double endMs);

} // namespace chart
