#pragma once

#include <string>
#include <vector>

#include "chart.h"

namespace chart {

// The never-judged cue the cue file ends with lies this far past the level's
// end, where the flight never gets to.
constexpr double kCueAfterEndMs = 9000.0;

// The recordings' text, padded as the game's reader expects.
std::string beatFileText(const Chart& chart);
std::string cueFileText(const Chart& chart);
// The course the game flies for the chart (game::kCourseFile).
std::string courseFileText(const Chart& chart);

// The run folder's config.cfg with the lines that point the game at the song.
std::string configText(const std::string& baseConfig, const std::string& musicPath,
                       const Chart& chart);

// The one line the tool prints for a chart.
std::string summaryLine(const Chart& chart);

} // namespace chart
