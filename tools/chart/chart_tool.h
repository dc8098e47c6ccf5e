#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>
#include <vector>

namespace chart {

// cueflight-chart SONG [--density easy|normal|hard] [--out DIR]: charts the
// song into DIR (by default songs/<song's name>-<density>/ beside the run
// folder `runDir`) and prints the summary line on `out`. Bad arguments or
// input give one line on `err` and nothing written. Returns the exit status.
int runChartTool(const std::vector<std::string>& args, const std::filesystem::path& runDir,
                 std::ostream& out, std::ostream& err);

} // namespace chart
