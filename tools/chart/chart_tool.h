#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

#include "platform/user_folders.h"

namespace chart {

// cueflight-chart SONG [--density easy|normal|hard] [--out DIR]: charts the
// song into DIR (by default charts/<song's name>-<density>/ in the player's
// cache folder), a run folder linking the game's files in `runDir`, and
// prints the summary line on `out`. Bad arguments or input give one line on
// `err` and nothing written. --help and --version answer on `out`. Returns
// the exit status.
int runChartTool(const std::vector<std::string>& args, const std::filesystem::path& runDir,
                 std::ostream& out, std::ostream& err,
                 const platform::Environment& environment = platform::processEnvironment);

} // namespace chart
