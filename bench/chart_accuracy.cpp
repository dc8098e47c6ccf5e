// How well and how fast the charting hears a song, measured on the generated
// song, whose generator knows every true beat and onset:
//   beat_f      beat F-measure at +-70 ms against the generator's beats
//   tempo_err   tempo error, percent
//   cues_near   share of cues within 30 ms of a true onset, percent
// and the time to chart the song and a four-minute song (the same song
// played twice over).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <unistd.h>

#include "audio_io.h"
#include "chart.h"
#include "cue_track.h"
#include "score.h"
#include "song_generator.h"
#include "song_timing.h"

namespace {

constexpr double kBeatToleranceMs = 70.0;
constexpr double kCueToleranceMs = 30.0;

const songgen::DecodedAudio& song() {
    static const songgen::DecodedAudio decoded = [] {
        const std::filesystem::path dir = std::filesystem::temp_directory_path() /
                                          ("cueflight_chart_bench_" + std::to_string(getpid()));
        songgen::generateAll(dir);
        std::optional<songgen::DecodedAudio> audio = songgen::readAudio(dir / songgen::songFile);
        std::filesystem::remove_all(dir);
        return audio.value_or(songgen::DecodedAudio{});
    }();
    return decoded;
}

std::vector<double> trueBeatsMs() {
    std::vector<double> beats;
    for (int64_t beat : songgen::beatStarts()) {
        beats.push_back(songgen::sampleToMs(beat));
    }
    return beats;
}

std::vector<double> trueOnsetsMs() {
    std::vector<double> onsets;
    for (const songgen::Note& note : songgen::composeSong().notes) {
        onsets.push_back(songgen::sampleToMs(note.start));
    }
    std::sort(onsets.begin(), onsets.end());
    return onsets;
}

double nearestDistance(const std::vector<double>& sorted, double timeMs) {
    auto after = std::lower_bound(sorted.begin(), sorted.end(), timeMs);
    double best = 1e30;
    if (after != sorted.end()) {
        best = *after - timeMs;
    }
    if (after != sorted.begin()) {
        best = std::min(best, timeMs - *std::prev(after));
    }
    return best;
}

// Each true beat matches at most one found beat within the tolerance.
double beatFMeasure(const std::vector<double>& found, const std::vector<double>& truth) {
    std::vector<bool> used(truth.size(), false);
    int matched = 0;
    for (double beat : found) {
        for (std::size_t i = 0; i < truth.size(); ++i) {
            if (!used[i] && std::abs(truth[i] - beat) <= kBeatToleranceMs) {
                used[i] = true;
                ++matched;
                break;
            }
        }
    }
    if (matched == 0) {
        return 0.0;
    }
    const double precision = static_cast<double>(matched) / found.size();
    const double recall = static_cast<double>(matched) / truth.size();
    return 2.0 * precision * recall / (precision + recall);
}

void ChartOwnSong(benchmark::State& state) {
    const auto density = static_cast<chart::Density>(state.range(0));
    const songgen::DecodedAudio& audio = song();
    chart::ChartResult result;
    for (auto _ : state) {
        result = chart::chartSong(audio.samples.data(), static_cast<std::size_t>(audio.frames()),
                                  audio.channels, audio.sampleRate, density);
    }
    if (!result.chart) {
        state.SkipWithError(result.error.c_str());
        return;
    }
    const chart::Chart& found = *result.chart;
    const std::vector<double> onsets = trueOnsetsMs();
    const auto near = std::count_if(found.cuesMs.begin(), found.cuesMs.end(), [&](double cue) {
        return nearestDistance(onsets, cue) <= kCueToleranceMs;
    });
    state.counters["beat_f"] = beatFMeasure(found.beatsMs, trueBeatsMs());
    state.counters["tempo_err"] =
        100.0 * std::abs(found.tempoBpm - songgen::beatsPerMinute) / songgen::beatsPerMinute;
    state.counters["cues"] = static_cast<double>(found.cuesMs.size());
    state.counters["cues_per_s"] = 1000.0 * found.cuesMs.size() / found.endMs;
    state.counters["cues_near"] = 100.0 * near / std::max<double>(found.cuesMs.size(), 1.0);
}
BENCHMARK(ChartOwnSong)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->Iterations(1);

void ChartFourMinutes(benchmark::State& state) {
    const songgen::DecodedAudio& audio = song();
    const std::size_t frames = static_cast<std::size_t>(240 * audio.sampleRate);
    std::vector<float> samples(frames * static_cast<std::size_t>(audio.channels));
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = audio.samples[i % audio.samples.size()];
    }
    for (auto _ : state) {
        chart::ChartResult result = chart::chartSong(samples.data(), frames, audio.channels,
                                                     audio.sampleRate, chart::Density::Normal);
        benchmark::DoNotOptimize(result);
    }
}
BENCHMARK(ChartFourMinutes)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
