#include "analysis_signal.h"

#include <cmath>
#include <utility>

namespace chart {

namespace {

// Rates up to this are analysed as they are.
constexpr int kHighestAnalysisRate = 48000;
// Samples beyond full scale are clipped here: a broken file's huge values
// would otherwise drown the music in the spectra.
constexpr float kClip = 4.0f;

float clean(float sample) {
    if (!std::isnormal(sample)) {
        return 0.0f; // zero, subnormal, infinite or NaN
    }
    return std::fmax(-kClip, std::fmin(kClip, sample));
}

} // namespace

AnalysisSignalBuilder::AnalysisSignalBuilder(int channels, int sampleRate,
                                             std::size_t expectedFrames)
    : channels(channels),
      factor(sampleRate > kHighestAnalysisRate ? sampleRate / kHighestAnalysisRate : 1),
      scale(1.0f / static_cast<float>(channels * factor)) {
    signal.sampleRate = sampleRate / factor;
    signal.samples.reserve(expectedFrames / static_cast<std::size_t>(factor));
}

void AnalysisSignalBuilder::add(const float* interleaved, std::size_t count) {
    frames += count;
    const std::size_t samples = count * static_cast<std::size_t>(channels);
    const int perOutput = channels * factor;
    // The mean of `factor` frames is lowpass enough for onsets and beats.
    for (std::size_t i = 0; i < samples; ++i) {
        sum += clean(interleaved[i]);
        if (++summed == perOutput) {
            signal.samples.push_back(sum * scale);
            sum = 0.0f;
            summed = 0;
        }
    }
}

AnalysisSignal AnalysisSignalBuilder::finish() && {
    return std::move(signal);
}

AnalysisSignal analysisSignal(const float* interleaved, std::size_t frames, int channels,
                              int sampleRate) {
    AnalysisSignalBuilder builder(channels, sampleRate);
    if (interleaved != nullptr) {
        builder.add(interleaved, frames);
    }
    return std::move(builder).finish();
}

} // namespace chart
