#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/course.h"
#include "library/chart_version.h"

namespace chart {

struct AnalysisSignal;

// How many cues a chart asks for.
enum class Density { Easy, Normal, Hard };

std::optional<Density> parseDensity(std::string_view text);
const char* densityName(Density density);

using library::kChartVersion;

// What the charting accepts; anything else is refused with a message.
constexpr int kMaxChannels = 8;
constexpr int kMinSampleRate = 8000;
constexpr int kMaxSampleRate = 192000;
constexpr double kMinSongSeconds = 10.0;
constexpr double kMaxSongSeconds = 20.0 * 60.0;

// No cue this early: the player needs a moment to find the crosshair.
constexpr double kFirstCueMs = 2000.0;
// No two cues closer than this: the player needs time to aim.
constexpr double kMinCueSpacingMs = 300.0;

// A song's level: beats and cues in ms of music, all ascending.
struct Chart {
    double tempoBpm = 0.0;
    std::vector<double> beatsMs;
    std::vector<double> cuesMs;
    double lengthMs = 0.0;  // the whole song
    double endMs = 0.0;     // where the level ends and shows the accuracy
    double previewMs = 0.0; // where the song's loudest stretch starts (see preview.h)
    game::Course course;    // the flight the song shapes
};

// Either a chart or one line saying why there is none.
struct ChartResult {
    std::optional<Chart> chart;
    std::string error;
};

// Why audio of this shape cannot be charted; empty when it can.
std::string formatProblem(int channels, int sampleRate);

// Charts decoded audio: `frames` frames of `channels` interleaved samples
// at `sampleRate`. Any sample values are taken, NaN and infinities too
// (they count as silence), so whatever a decoder hands over gives a chart
// or an error, never a crash.
ChartResult chartSong(const float* interleaved, std::size_t frames, int channels, int sampleRate,
                      Density density);

// Charts the analysis signal of a song `seconds` long (see song_file.h for
// one made while decoding).
ChartResult chartSignal(const AnalysisSignal& signal, double seconds, Density density);

// Why a song of this length cannot be charted; empty when it can.
std::string lengthProblem(double seconds);

} // namespace chart
