#pragma once

#include <cstddef>
#include <vector>

namespace chart {

// The one channel the analysis listens to.
struct AnalysisSignal {
    std::vector<float> samples;
    int sampleRate = 0;
};

// Mixes the channels down to one, takes NaN, infinities and denormals as
// silence and clips wild values, and brings rates far above what onsets need
// down by an integer factor, so a 192 kHz file costs no more than a 48 kHz one.
AnalysisSignal analysisSignal(const float* interleaved, std::size_t frames, int channels,
                              int sampleRate);

} // namespace chart
