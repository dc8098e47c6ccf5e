#include "onset_analysis.h"

#include <aubio/aubio.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

namespace chart {

namespace {

// About 5.8 ms per frame at 44.1 kHz: fine enough to place a cue within a
// few ms, coarse enough to chart a long song in a second.
constexpr double kFrameSeconds = 256.0 / 44100.0;
constexpr unsigned kWindowHops = 4;
// aubio's spectral flux follows drums and plucked or struck notes alike.
constexpr const char* kOnsetMethod = "specflux";
// Onsets closer than this are one.
constexpr float kMinInterOnsetMs = 50.0f;
// A lower peak-picking threshold than aubio's own: the cue picker chooses
// among the candidates by strength anyway.
constexpr float kPeakThreshold = 0.1f;
// Frames quieter than this are silence to the onset detector (kSilentLoudness).
constexpr float kSilenceDb = -60.0f;
// How far around an onset its strength is looked for, in frames.
constexpr long kStrengthRadius = 2;

unsigned hopFor(int sampleRate) {
    const double ideal = kFrameSeconds * sampleRate;
    unsigned hop = 16;
    while (hop * 2 <= ideal * 1.41) {
        hop *= 2;
    }
    return hop;
}

struct OnsetDeleter {
    void operator()(aubio_onset_t* onset) const { del_aubio_onset(onset); }
};
struct VectorDeleter {
    void operator()(fvec_t* vector) const { del_fvec(vector); }
};

// aubio reports oddities on the error stream; the tool has its own messages.
void quiet(sint_t, const char_t*, void*) {}

void silenceAubio() {
    for (sint_t level = 0; level < AUBIO_LOG_LAST_LEVEL; ++level) {
        aubio_log_set_level_function(level, quiet, nullptr);
    }
}

float rms(const float* samples, unsigned count) {
    double sum = 0.0;
    for (unsigned i = 0; i < count; ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
    }
    return static_cast<float>(std::sqrt(sum / count));
}

void measureStrengths(OnsetAnalysis& analysis) {
    const long frames = static_cast<long>(analysis.envelope.size());
    for (Onset& onset : analysis.onsets) {
        const long centre = frameAt(analysis, onset.timeMs);
        const long from = std::max(centre - kStrengthRadius, 0L);
        const long to = std::min(centre + kStrengthRadius + 1, frames);
        onset.strength =
            *std::max_element(analysis.envelope.begin() + from, analysis.envelope.begin() + to);
    }
}

} // namespace

OnsetAnalysis analyseOnsets(const AnalysisSignal& signal) {
    silenceAubio();
    const unsigned hop = hopFor(signal.sampleRate);
    const unsigned window = hop * kWindowHops;
    OnsetAnalysis analysis;
    analysis.frameMs = 1000.0 * hop / signal.sampleRate;
    // The flux of a frame peaks as a new sound crosses the rising quarter of
    // the analysis window, about a quarter window before the frame's end.
    analysis.firstFrameMs = 1000.0 * (hop - window / 4.0) / signal.sampleRate;
    std::unique_ptr<aubio_onset_t, OnsetDeleter> detector(
        new_aubio_onset(kOnsetMethod, window, hop, static_cast<uint_t>(signal.sampleRate)));
    std::unique_ptr<fvec_t, VectorDeleter> input(new_fvec(hop));
    std::unique_ptr<fvec_t, VectorDeleter> found(new_fvec(1));
    if (!detector || !input || !found) {
        return analysis;
    }
    aubio_onset_set_threshold(detector.get(), kPeakThreshold);
    aubio_onset_set_minioi_ms(detector.get(), kMinInterOnsetMs);
    aubio_onset_set_silence(detector.get(), kSilenceDb);
    const std::size_t frames = signal.samples.size() / hop;
    analysis.envelope.reserve(frames);
    analysis.loudness.reserve(frames);
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const float* block = signal.samples.data() + frame * hop;
        std::memcpy(input->data, block, hop * sizeof(float));
        aubio_onset_do(detector.get(), input.get(), found.get());
        const float descriptor = aubio_onset_get_descriptor(detector.get());
        const float loudness = rms(block, hop);
        const bool heard = std::isfinite(descriptor) && loudness > kSilentLoudness;
        analysis.envelope.push_back(heard ? std::max(descriptor, 0.0f) : 0.0f);
        analysis.loudness.push_back(loudness);
        if (found->data[0] != 0.0f) {
            analysis.onsets.push_back({aubio_onset_get_last_ms(detector.get()), 0.0f});
        }
    }
    measureStrengths(analysis);
    return analysis;
}

long frameAt(const OnsetAnalysis& analysis, double timeMs) {
    const long last = static_cast<long>(analysis.envelope.size()) - 1;
    const double frame = std::round((timeMs - analysis.firstFrameMs) / analysis.frameMs);
    return std::clamp(static_cast<long>(std::clamp(frame, -1.0, 1e12)), 0L, std::max(last, 0L));
}

double timeOfFrame(const OnsetAnalysis& analysis, double frame) {
    return analysis.firstFrameMs + frame * analysis.frameMs;
}

} // namespace chart
