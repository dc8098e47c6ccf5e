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
// Fed in pieces as they are decoded, so a song never has to be held whole in
// all its channels: the signal is the same however the frames are split.
class AnalysisSignalBuilder {
public:
    // `expectedFrames`, when a header tells, spares the growing signal its copies.
    AnalysisSignalBuilder(int channels, int sampleRate, std::size_t expectedFrames = 0);

    void add(const float* interleaved, std::size_t frames);
    std::size_t framesAdded() const { return frames; }
    // The signal of every frame added; a last part of fewer frames than the
    // rate's reduction factor is left out.
    AnalysisSignal finish() &&;

private:
    int channels;
    int factor;             // frames averaged into one sample
    float scale;            // 1 over the samples summed into one
    AnalysisSignal signal;  // the samples made so far
    float sum = 0.0f;       // of the sample being made
    int summed = 0;         // samples in `sum`
    std::size_t frames = 0; // frames added
};

// The whole signal of audio held at once.
AnalysisSignal analysisSignal(const float* interleaved, std::size_t frames, int channels,
                              int sampleRate);

} // namespace chart
