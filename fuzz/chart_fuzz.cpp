// Feeds the charting tool's analysis decoded audio of any shape. A whole song
// must last 10 s, and ten seconds of audio cost a fuzzer run a tenth of a
// second or more; so most inputs go to the stages one by one, on the short
// buffers the fuzzer makes, and only a few chart a whole song of the least
// length the tool takes.
//
//   byte 0  the stage: 0 to 6 the mix-down and onset analysis of the samples
//           (and beats and cues on what they find), 7 to 14 the beat tracker
//           and cue picker on an onset envelope made of the bytes, 15 a whole
//           song of 10 s at the lowest rate (the value is taken modulo 16)
//   byte 1  channels: 0 to 9 (0 and 9 are refused by a whole song; the
//           stages take at least one)
//   byte 2  rate: one of kRates
//   byte 3  density (modulo 3)
//   byte 4  bit 0: the whole song's samples tiled, else followed by silence;
//           bit 1: samples as 32-bit floats (NaN, infinities and denormals
//           included), else as signed bytes scaled to full scale
//   byte 5  envelope stage: its length, the bytes tiled to up to 6.4 s
//   rest    the samples, interleaved (a trailing part of a sample is
//           dropped), or two bytes per envelope frame: its onset strength and
//           loudness, the loudness byte's top bit marking an onset

#include "analysis_signal.h"
#include "beat_tracker.h"
#include "chart.h"
#include "chart_files.h"
#include "cue_picker.h"
#include "fuzz_support.h"
#include "game/time_controller.h"
#include "onset_analysis.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <sstream>
#include <vector>

namespace {

constexpr std::size_t kHeaderBytes = 6;
constexpr int kWholeSongStage = 15;
constexpr int kFirstEnvelopeStage = 7;
// Every rate the tool takes has its own frame length; these are the edges,
// odd ones, the common ones and those that are mixed down by a factor.
constexpr std::array<int, 12> kRates = {8000,  8001,  11025, 12000, 16000,  22050,
                                        44100, 48000, 48001, 96000, 176400, 192000};

std::vector<float> decodedSamples(const std::uint8_t* data, std::size_t size, bool floats) {
    std::vector<float> samples;
    if (floats) {
        samples.resize(size / sizeof(float));
        if (samples.empty()) {
            return samples; // memcpy takes no null pointer, even for nothing
        }
        std::memcpy(samples.data(), data, samples.size() * sizeof(float));
    } else {
        for (std::size_t i = 0; i < size; ++i) {
            samples.push_back(static_cast<float>(static_cast<std::int8_t>(data[i])) / 128.0f);
        }
    }
    return samples;
}

// The song of `count` samples: the decoded ones over and over, or once and
// then silence. Built with a few block copies, each doubling what is tiled:
// a loop over every sample, even the one inside a vector's constructor, cost
// the fuzzer more than the analysis.
std::unique_ptr<float[]> song(const std::vector<float>& samples, std::size_t count, bool tiled) {
    auto out = std::make_unique_for_overwrite<float[]>(count);
    std::size_t filled = std::min(samples.size(), count);
    if (filled > 0) {
        std::memcpy(out.get(), samples.data(), filled * sizeof(float));
    }
    while (tiled && filled > 0 && filled < count) {
        const std::size_t copied = std::min(filled, count - filled);
        std::memcpy(out.get() + filled, out.get(), copied * sizeof(float));
        filled += copied;
    }
    std::memset(out.get() + filled, 0, (count - filled) * sizeof(float));
    return out;
}

bool ascendingWithin(const std::vector<double>& times, double from, double to) {
    return std::is_sorted(times.begin(), times.end()) &&
           std::all_of(times.begin(), times.end(),
                       [&](double t) { return std::isfinite(t) && t >= from && t < to; });
}

bool finiteAndNotNegative(const std::vector<float>& values) {
    return std::all_of(values.begin(), values.end(),
                       [](float v) { return std::isfinite(v) && v >= 0.0f; });
}

void checkCues(const std::vector<double>& cuesMs, double endMs) {
    fuzzsupport::require(ascendingWithin(cuesMs, chart::kFirstCueMs, endMs),
                         "cues out of order or out of the level");
    for (std::size_t i = 1; i < cuesMs.size(); ++i) {
        fuzzsupport::require(cuesMs[i] - cuesMs[i - 1] >= chart::kMinCueSpacingMs,
                             "two cues too close");
    }
}

// What the beat tracker and the cue picker promise whatever analysis they
// get; the cues are picked as a whole song picks them, on the beats before
// the level's end and only with two of them or more.
void beatsAndCues(const chart::OnsetAnalysis& analysis, chart::Density density) {
    const double lengthMs = static_cast<double>(analysis.envelope.size()) * analysis.frameMs;
    std::vector<double> beats;
    for (double beat : chart::trackBeats(analysis)) {
        fuzzsupport::require(std::isfinite(beat), "beat at no time");
        if (beat >= 0.0 && beat < lengthMs) {
            beats.push_back(beat);
        }
    }
    fuzzsupport::require(std::is_sorted(beats.begin(), beats.end()), "beats out of order");
    const double tempo = chart::tempoOf(beats);
    fuzzsupport::require(std::isfinite(tempo) && tempo >= 0.0, "no usable tempo");
    if (beats.size() >= 2 && tempo > 0.0) {
        checkCues(chart::pickCues(analysis, beats, density, lengthMs), lengthMs);
    }
}

void checkAnalysis(const chart::OnsetAnalysis& analysis, std::size_t samples) {
    fuzzsupport::require(analysis.envelope.size() == analysis.loudness.size() &&
                             analysis.envelope.size() * 16 <= samples,
                         "envelope and loudness of other lengths");
    fuzzsupport::require(finiteAndNotNegative(analysis.envelope), "envelope not a level");
    fuzzsupport::require(finiteAndNotNegative(analysis.loudness), "loudness not a level");
    double last = -INFINITY;
    for (const chart::Onset& onset : analysis.onsets) {
        fuzzsupport::require(std::isfinite(onset.timeMs) && onset.timeMs >= last,
                             "onsets out of order");
        fuzzsupport::require(std::isfinite(onset.strength) && onset.strength >= 0.0f,
                             "onset of no strength");
        last = onset.timeMs;
    }
}

// The mix-down and onset analysis of a short buffer: a few ms to a second.
void analyseSamples(const std::vector<float>& samples, int channels, int rate,
                    chart::Density density) {
    const std::size_t frames = samples.size() / static_cast<std::size_t>(channels);
    const chart::AnalysisSignal signal =
        chart::analysisSignal(samples.data(), frames, channels, rate);
    fuzzsupport::require(signal.sampleRate >= chart::kMinSampleRate && signal.sampleRate <= rate,
                         "analysis at a rate the song does not have");
    fuzzsupport::require(
        std::all_of(signal.samples.begin(), signal.samples.end(),
                    [](float s) { return std::isfinite(s) && std::fabs(s) <= 4.0f; }),
        "a wild sample reaches the analysis");
    const chart::OnsetAnalysis analysis = chart::analyseOnsets(signal);
    checkAnalysis(analysis, signal.samples.size());
    beatsAndCues(analysis, density);
}

// An onset envelope of the bytes as the analysis of a song at this rate
// would have it: frames of its length, non-negative levels, onsets
// ascending, each as strong as the envelope where it lies.
chart::OnsetAnalysis envelopeOf(const std::uint8_t* data, std::size_t size, int rate,
                                double seconds) {
    // The frame length and offset of this rate, from the analysis itself.
    chart::OnsetAnalysis analysis = chart::analyseOnsets({{}, rate});
    const std::size_t pairs = size / 2;
    if (pairs == 0) {
        return analysis;
    }
    const auto frames =
        std::max(pairs, static_cast<std::size_t>(seconds * 1000.0 / analysis.frameMs));
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const std::uint8_t strength = data[2 * (frame % pairs)];
        const std::uint8_t loudness = data[2 * (frame % pairs) + 1];
        analysis.envelope.push_back(static_cast<float>(strength) / 16.0f);
        analysis.loudness.push_back(static_cast<float>(loudness & 0x7f) / 1024.0f);
        if ((loudness & 0x80) != 0) {
            analysis.onsets.push_back({chart::timeOfFrame(analysis, static_cast<double>(frame)),
                                       analysis.envelope.back()});
        }
    }
    return analysis;
}

// A whole song of the least length at the lowest rate, through the tool's
// entry point, and the chart it makes as the game reads it back.
void chartWholeSong(const std::vector<float>& samples, int channels, bool tiled,
                    chart::Density density) {
    const auto frames = static_cast<std::size_t>(chart::kMinSongSeconds * chart::kMinSampleRate);
    const std::size_t width = static_cast<std::size_t>(std::max(channels, 1));
    const std::unique_ptr<float[]> audio = song(samples, frames * width, tiled);
    const chart::ChartResult result =
        chart::chartSong(audio.get(), frames, channels, chart::kMinSampleRate, density);
    fuzzsupport::require(result.chart.has_value() != !result.error.empty(),
                         "neither a chart nor one reason, or both");
    if (!result.chart) {
        return;
    }
    const chart::Chart& chart = *result.chart;
    fuzzsupport::require(std::isfinite(chart.tempoBpm) && chart.tempoBpm > 0.0, "no tempo");
    fuzzsupport::require(chart.endMs <= chart.lengthMs, "level ends after the song");
    fuzzsupport::require(ascendingWithin(chart.beatsMs, 0.0, chart.endMs), "beats out of order");
    checkCues(chart.cuesMs, chart.endMs);
    std::istringstream cueFile(chart::cueFileText(chart));
    const std::vector<double> loaded = util::TimeController::readRecording(cueFile);
    fuzzsupport::require(loaded.size() == chart.cuesMs.size() + 1, "cue file loses cues");
    for (std::size_t i = 0; i < chart.cuesMs.size(); ++i) {
        fuzzsupport::require(std::fabs(loaded[i] - chart.cuesMs[i]) < 1e-3, "cue moved in file");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < kHeaderBytes) {
        return 0;
    }
    const int stage = data[0] % 16;
    const int channels = data[1] % 10;
    const int rate = kRates[data[2] % kRates.size()];
    const auto density = static_cast<chart::Density>(data[3] % 3);
    const bool tiled = (data[4] & 1) != 0;
    const bool floats = (data[4] & 2) != 0;
    const double envelopeSeconds = 0.025 * data[5];
    const std::uint8_t* rest = data + kHeaderBytes;
    const std::size_t restSize = size - kHeaderBytes;

    if (stage == kWholeSongStage) {
        chartWholeSong(decodedSamples(rest, restSize, floats), channels, tiled, density);
    } else if (stage >= kFirstEnvelopeStage) {
        beatsAndCues(envelopeOf(rest, restSize, rate, envelopeSeconds), density);
    } else {
        const int width = std::clamp(channels, 1, chart::kMaxChannels);
        analyseSamples(decodedSamples(rest, restSize, floats), width, rate, density);
    }
    return 0;
}
