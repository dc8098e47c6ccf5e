#include "chart_tool.h"

#include <optional>
#include <ostream>

#include "chart.h"
#include "chart_files.h"
#include "chart_folder.h"
#include "song_file.h"

namespace chart {

namespace {

constexpr const char* kUsage =
    "usage: cueflight-chart SONG [--density easy|normal|hard] [--out DIR]";
constexpr int kBadArguments = 2;
constexpr int kFailed = 1;

struct Request {
    std::filesystem::path song;
    Density density = Density::Normal;
    std::filesystem::path outDir; // empty: the default beside the run folder
};

std::optional<Request> parseArguments(const std::vector<std::string>& args) {
    Request request;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const bool hasValue = i + 1 < args.size();
        if (args[i] == "--density" && hasValue) {
            std::optional<Density> density = parseDensity(args[++i]);
            if (!density) {
                return std::nullopt;
            }
            request.density = *density;
        } else if (args[i] == "--out" && hasValue && !args[i + 1].empty()) {
            request.outDir = args[++i];
        } else if (request.song.empty() && !args[i].empty() && args[i].rfind("--", 0) != 0) {
            request.song = args[i];
        } else {
            return std::nullopt;
        }
    }
    if (request.song.empty()) {
        return std::nullopt;
    }
    return request;
}

std::filesystem::path defaultOutDir(const std::filesystem::path& runDir, const Request& request) {
    return runDir.parent_path() / "songs" /
           (request.song.stem().string() + "-" + densityName(request.density));
}

} // namespace

int runChartTool(const std::vector<std::string>& args, const std::filesystem::path& runDir,
                 std::ostream& out, std::ostream& err) {
    std::optional<Request> request = parseArguments(args);
    if (!request) {
        err << kUsage << std::endl;
        return kBadArguments;
    }
    const std::string name = "cueflight-chart: " + request->song.string() + ": ";
    std::string error;
    std::optional<DecodedSong> song = decodeSong(request->song, error);
    if (!song) {
        err << name << error << std::endl;
        return kFailed;
    }
    ChartResult result = chartSong(song->samples.data(), song->frames(), song->channels,
                                   song->sampleRate, request->density);
    if (!result.chart) {
        err << name << result.error << std::endl;
        return kFailed;
    }
    const std::filesystem::path outDir =
        request->outDir.empty() ? defaultOutDir(runDir, *request) : request->outDir;
    if (!writeChartFolder(runDir, request->song, *result.chart, outDir, error)) {
        err << name << error << std::endl;
        return kFailed;
    }
    out << summaryLine(*result.chart) << std::endl;
    return 0;
}

} // namespace chart
