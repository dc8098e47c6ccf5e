#include "chart.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "analysis_signal.h"
#include "beat_tracker.h"
#include "course_maker.h"
#include "cue_picker.h"
#include "onset_analysis.h"
#include "preview.h"

namespace chart {

namespace {

constexpr double kRingOutMs = 1000.0;
// The stream must still be playing when the position passes the end.
constexpr double kEndBeforeFileEndMs = 500.0;

ChartResult refused(const std::string& reason) {
    return {std::nullopt, reason};
}

double musicEndMs(const OnsetAnalysis& analysis, double lengthMs) {
    const auto& loudness = analysis.loudness;
    auto lastSound = std::find_if(loudness.rbegin(), loudness.rend(),
                                  [](float level) { return level > kSilentLoudness; });
    const double soundEndMs =
        lastSound == loudness.rend()
            ? 0.0
            : static_cast<double>(loudness.rend() - lastSound) * analysis.frameMs;
    return std::min(soundEndMs + kRingOutMs, lengthMs - kEndBeforeFileEndMs);
}

} // namespace

std::optional<Density> parseDensity(std::string_view text) {
    for (Density density : {Density::Easy, Density::Normal, Density::Hard}) {
        if (text == densityName(density)) {
            return density;
        }
    }
    return std::nullopt;
}

const char* densityName(Density density) {
    switch (density) {
    case Density::Easy:
        return "easy";
    case Density::Normal:
        return "normal";
    case Density::Hard:
        return "hard";
    }
    return "normal";
}

std::string formatProblem(int channels, int sampleRate) {
    std::ostringstream text;
    if (channels < 1 || channels > kMaxChannels) {
        text << channels << " channels: the charting takes 1 to " << kMaxChannels;
    } else if (sampleRate < kMinSampleRate || sampleRate > kMaxSampleRate) {
        text << "sample rate " << sampleRate << " Hz: the charting takes " << kMinSampleRate
             << " to " << kMaxSampleRate << " Hz";
    }
    return text.str();
}

ChartResult chartSong(const float* interleaved, std::size_t frames, int channels, int sampleRate,
                      Density density) {
    if (std::string problem = formatProblem(channels, sampleRate); !problem.empty()) {
        return refused(problem);
    }
    if (interleaved == nullptr) {
        frames = 0;
    }
    // A song too long is refused before its signal is made.
    const double seconds = static_cast<double>(frames) / sampleRate;
    if (seconds > kMaxSongSeconds) {
        return refused(lengthProblem(seconds));
    }
    return chartSignal(analysisSignal(interleaved, frames, channels, sampleRate), seconds, density);
}

std::string lengthProblem(double seconds) {
    if (seconds < kMinSongSeconds) {
        return "shorter than 10 s";
    }
    if (seconds > kMaxSongSeconds) {
        return "longer than 20 min";
    }
    return "";
}

ChartResult chartSignal(const AnalysisSignal& signal, double seconds, Density density) {
    if (std::string problem = lengthProblem(seconds); !problem.empty()) {
        return refused(problem);
    }
    const OnsetAnalysis analysis = analyseOnsets(signal);
    Chart chart;
    chart.lengthMs = seconds * 1000.0;
    chart.endMs = std::floor(musicEndMs(analysis, chart.lengthMs));
    chart.previewMs = loudestStretchMs(analysis.loudness, analysis.frameMs, chart.lengthMs);
    for (double beat : trackBeats(analysis)) {
        if (beat >= 0.0 && beat < chart.endMs) {
            chart.beatsMs.push_back(beat);
        }
    }
    chart.tempoBpm = tempoOf(chart.beatsMs);
    if (chart.beatsMs.size() < 2 || chart.tempoBpm <= 0.0) {
        return refused("no beats found");
    }
    chart.cuesMs = pickCues(analysis, chart.beatsMs, density, chart.endMs);
    if (chart.cuesMs.empty()) {
        return refused("no onsets to place cues on");
    }
    chart.course = makeCourse(analysis, chart.endMs);
    return {chart, ""};
}

} // namespace chart
