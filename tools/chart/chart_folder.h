#pragma once

#include <filesystem>
#include <string>

#include "chart.h"
#include "game/course.h"
#include "game/recording_format.h"

namespace chart {

// What a chart folder holds of its own; everything else is the game's run
// folder, linked.
inline const std::filesystem::path kBeatFile = game::kBeatRecordingFile;
inline const std::filesystem::path kCueFile = game::kCueRecordingFile;
inline const std::filesystem::path kCourseFile = game::kCourseFile;
inline const std::filesystem::path kConfigFile = "config.cfg";
inline const std::filesystem::path kSoundDir = "Sound";
// The tool's mark: a folder holding it is a chart the tool made and may
// replace. It also says what the chart is (key=value lines, like config.cfg):
//   chart_version=<kChartVersion>  the analysis that made it
//   density=<easy|normal|hard>
//   tempo_bpm=<tempo, one decimal>
//   preview_ms=<where the song's loudest stretch starts>
//   song_file=<the song's own file name, which its copy in Sound/ lost>
inline const std::filesystem::path kChartMarkFile = "chart.cfg";

// Writes `text` as the whole of the file at `path`; false unless all of it
// reached the file.
bool writeText(const std::filesystem::path& path, const std::string& text);

// The mark's text for `chart` of the song file `song`, charted at `density`.
std::string chartMarkText(const Chart& chart, Density density, const std::filesystem::path& song);

// Makes `outDir` a run folder for the chart: every entry of the game's
// `runDir` linked (Sound/ as a folder of links), the song copied in as
// Sound/song plus its extension, the beat and cue files, and runDir's
// config.cfg with the song's two lines added, and the mark. The folder is
// built beside `outDir` and moved into place whole, replacing an earlier
// chart there; a failure leaves nothing behind and `error` says why. Only an
// empty folder or one holding the mark is replaced, and never the run folder
// itself, whatever it holds. Once the new chart is in place the call
// succeeds, with `warning` saying so if the earlier chart could not be
// removed.
bool writeChartFolder(const std::filesystem::path& runDir, const std::filesystem::path& song,
                      const Chart& chart, Density density, const std::filesystem::path& outDir,
                      std::string& error, std::string& warning);

} // namespace chart
