#pragma once

#include <filesystem>
#include <string>

#include "chart.h"

namespace chart {

// What a chart folder holds of its own; everything else is the game's run
// folder, linked.
inline const std::filesystem::path kBeatFile = "rec.cfg";
inline const std::filesystem::path kCueFile = "rec2.cfg";
inline const std::filesystem::path kConfigFile = "config.cfg";
inline const std::filesystem::path kSoundDir = "Sound";

// Makes `outDir` a run folder for the chart: every entry of the game's
// `runDir` linked (Sound/ as a folder of links), the song copied in as
// Sound/song plus its extension, the beat and cue files, and runDir's
// config.cfg with the song's two lines added. The folder is built beside
// `outDir` and moved into place whole, replacing an earlier chart there; a
// failure leaves nothing behind and `error` says why. A folder that exists
// and is not a chart folder is never replaced.
bool writeChartFolder(const std::filesystem::path& runDir, const std::filesystem::path& song,
                      const Chart& chart, const std::filesystem::path& outDir, std::string& error);

} // namespace chart
