#pragma once

#include <vector>

#include "analysis_signal.h"

namespace chart {

// A frame quieter than this (RMS, about -60 dBFS) is silence: it holds no
// onsets, and a level ends when the music does, not after the silence a file
// may trail.
constexpr float kSilentLoudness = 0.001f;

struct Onset {
    double timeMs = 0.0;
    float strength = 0.0f; // the envelope's peak at the onset
};

// What the charting hears in a song: an onset envelope (how much new sound
// starts in each short frame), the loudness of each frame, and the onsets
// themselves.
struct OnsetAnalysis {
    double frameMs = 0.0;        // length of one frame
    double firstFrameMs = 0.0;   // the moment the envelope's frame 0 stands for
    std::vector<float> envelope; // one value per frame, never negative
    std::vector<float> loudness; // RMS per frame
    std::vector<Onset> onsets;   // ascending
};

OnsetAnalysis analyseOnsets(const AnalysisSignal& signal);

// The envelope frame nearest to a moment, clamped to the envelope.
long frameAt(const OnsetAnalysis& analysis, double timeMs);
double timeOfFrame(const OnsetAnalysis& analysis, double frame);

} // namespace chart
