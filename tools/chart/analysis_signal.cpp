#include "analysis_signal.h"

#include <cmath>

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

AnalysisSignal analysisSignal(const float* interleaved, std::size_t frames, int channels,
                              int sampleRate) {
    const int factor = sampleRate > kHighestAnalysisRate ? sampleRate / kHighestAnalysisRate : 1;
    AnalysisSignal signal;
    signal.sampleRate = sampleRate / factor;
    signal.samples.resize(frames / static_cast<std::size_t>(factor));
    const float scale = 1.0f / static_cast<float>(channels * factor);
    const float* sample = interleaved;
    for (float& out : signal.samples) {
        // The mean of `factor` frames is lowpass enough for onsets and beats.
        float sum = 0.0f;
        for (int i = 0; i < channels * factor; ++i) {
            sum += clean(*sample++);
        }
        out = sum * scale;
    }
    return signal;
}

} // namespace chart
