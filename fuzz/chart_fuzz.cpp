// Feeds the charting tool's analysis decoded audio of any shape: a few header
// bytes pick the channels, the rate, the density and how the song is made from
// the rest, whose bytes are the samples. A song must last 10 s to be charted,
// so the samples are tiled or padded with silence to that length; most inputs
// take the lowest rate, which keeps each run short.
//
//   byte 0  channels: 0 to 9 (0 and 9 are refused)
//   byte 1  rate: below 192 the lowest, else one of kRates
//   byte 2  density (modulo 3)
//   byte 3  length: 9.6 s to 11.1 s in steps of 0.1 s (below 10 s is refused);
//           longer songs only cost time
//   byte 4  bit 0: samples tiled, else followed by silence;
//           bit 1: samples as 32-bit floats (NaN, infinities and denormals
//           included), else as signed bytes scaled to full scale
//   rest    the samples, interleaved; a trailing part of a sample is dropped

#include "chart.h"
#include "chart_files.h"
#include "fuzz_support.h"
#include "game/time_controller.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <vector>

namespace {

constexpr std::size_t kHeaderBytes = 5;
// The lowest rates, just outside what is charted at both ends, and odd ones.
// Ten seconds at 22 kHz and above take over a second a run under the
// sanitizers, so rates above 16 kHz are left to the unit tests.
constexpr std::array<int, 7> kRates = {7999, 8000, 8001, 11025, 12000, 16000, 192001};

int rateOf(std::uint8_t code) {
    return code < 192 ? chart::kMinSampleRate : kRates[code % kRates.size()];
}

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
// then silence. Whole blocks are copied: a loop over every sample would cost
// the fuzzer more than the analysis.
std::vector<float> song(const std::vector<float>& samples, std::size_t count, bool tiled) {
    std::vector<float> out(count, 0.0f);
    for (std::size_t at = 0; at < count && !samples.empty(); at += samples.size()) {
        std::copy_n(samples.begin(), std::min(samples.size(), count - at), out.begin() + at);
        if (!tiled) {
            break;
        }
    }
    return out;
}

bool ascendingWithin(const std::vector<double>& times, double from, double to) {
    return std::is_sorted(times.begin(), times.end()) &&
           std::all_of(times.begin(), times.end(),
                       [&](double t) { return std::isfinite(t) && t >= from && t < to; });
}

// What the game and the player rely on in a chart, and that the game reads
// back the very cues the tool writes.
void checkChart(const chart::Chart& chart) {
    fuzzsupport::require(std::isfinite(chart.tempoBpm) && chart.tempoBpm > 0.0, "no tempo");
    fuzzsupport::require(chart.endMs <= chart.lengthMs, "level ends after the song");
    fuzzsupport::require(ascendingWithin(chart.beatsMs, 0.0, chart.endMs), "beats out of order");
    fuzzsupport::require(ascendingWithin(chart.cuesMs, chart::kFirstCueMs, chart.endMs),
                         "cues out of order or out of the level");
    for (std::size_t i = 1; i < chart.cuesMs.size(); ++i) {
        fuzzsupport::require(chart.cuesMs[i] - chart.cuesMs[i - 1] >= chart::kMinCueSpacingMs,
                             "two cues too close");
    }
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
    const int channels = data[0] % 10;
    const int rate = rateOf(data[1]);
    const auto density = static_cast<chart::Density>(data[2] % 3);
    const double seconds = 9.6 + 0.1 * (data[3] % 16);
    const bool tiled = (data[4] & 1) != 0;
    const bool floats = (data[4] & 2) != 0;
    const std::vector<float> samples =
        decodedSamples(data + kHeaderBytes, size - kHeaderBytes, floats);

    const auto frames = static_cast<std::size_t>(seconds * rate);
    const std::size_t width = static_cast<std::size_t>(std::max(channels, 1));
    const std::vector<float> audio = song(samples, frames * width, tiled);
    const chart::ChartResult result =
        chart::chartSong(audio.data(), frames, channels, rate, density);
    fuzzsupport::require(result.chart.has_value() != !result.error.empty(),
                         "neither a chart nor one reason, or both");
    if (result.chart) {
        checkChart(*result.chart);
    }
    return 0;
}
