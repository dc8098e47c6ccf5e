#include "chart_tool.h"

#include <optional>
#include <ostream>

#include "chart.h"
#include "chart_files.h"
#include "chart_folder.h"
#include "song_file.h"
#include "util/version.h"

namespace chart {

namespace {

constexpr const char* kUsage =
    "usage: cueflight-chart SONG [--density easy|normal|hard] [--out DIR] [--progress]";
constexpr const char* kHelp =
    "\n\n"
    "Charts a song for cueflight: finds its beats and its salient onsets and writes a\n"
    "folder the game plays it from (start cueflight in that folder).\n"
    "\n"
    "Options:\n"
    "  --density D  easy, normal (the default) or hard: about 0.6, 1.2 or 2 cues a second\n"
    "  --out DIR    the chart's folder; by default charts/<song>-<density>/ in your\n"
    "               cache folder, ";
constexpr int kBadArguments = 2;
constexpr int kFailed = 1;

struct Request {
    std::filesystem::path song;
    Density density = Density::Normal;
    std::filesystem::path outDir; // empty: the default in the player's cache folder
    bool progress = false;        // tell how far the charting is, for the song library
};

// Decoding is most of the work a listener can see go by; the analysis after
// it is counted as the rest.
constexpr int kDecodedPercent = 60;

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
        } else if (args[i] == "--progress") {
            request.progress = true;
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

std::string chartName(const Request& request) {
    return request.song.stem().string() + "-" + densityName(request.density);
}

std::string helpText(const platform::Environment& environment) {
    std::optional<std::filesystem::path> cache =
        platform::userFolder(platform::UserFolder::Cache, environment);
    return std::string(kUsage) + kHelp +
           (cache ? (*cache / "charts").string() : "(none: HOME is not set)") +
           "\n  --progress   print \"PROGRESS: <percent>\" lines while charting\n"
           "  --help       show this help and exit\n"
           "  --version    show the version and exit\n"
           "\n"
           "An existing DIR is replaced only when it holds an earlier chart.\n";
}

} // namespace

int runChartTool(const std::vector<std::string>& args, const std::filesystem::path& runDir,
                 std::ostream& out, std::ostream& err, const platform::Environment& environment) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << helpText(environment) << std::flush;
        return 0;
    }
    if (args.size() == 1 && args[0] == "--version") {
        out << util::versionLine("cueflight-chart") << std::endl;
        return 0;
    }
    std::optional<Request> request = parseArguments(args);
    if (!request) {
        err << kUsage << std::endl;
        return kBadArguments;
    }
    const std::string name = "cueflight-chart: " + request->song.string() + ": ";
    std::string error;
    int lastPercent = -1;
    auto tell = [&](int percent) {
        if (request->progress && percent != lastPercent) {
            out << "PROGRESS: " << percent << std::endl;
            lastPercent = percent;
        }
    };
    tell(0);
    std::optional<DecodedSong> song = decodeSong(request->song, error, [&](double share) {
        tell(static_cast<int>(share * kDecodedPercent));
    });
    if (!song) {
        err << name << error << std::endl;
        return kFailed;
    }
    tell(kDecodedPercent);
    ChartResult result = chartSignal(song->signal, song->seconds, request->density);
    if (!result.chart) {
        err << name << result.error << std::endl;
        return kFailed;
    }
    std::filesystem::path outDir = request->outDir;
    if (outDir.empty()) {
        std::optional<std::filesystem::path> cache =
            platform::makeUserFolder(platform::UserFolder::Cache, err, environment);
        if (!cache) {
            return kFailed;
        }
        outDir = *cache / "charts" / chartName(*request);
    }
    std::string warning;
    if (!writeChartFolder(runDir, request->song, *result.chart, request->density, outDir, error,
                          warning)) {
        err << name << error << std::endl;
        return kFailed;
    }
    if (!warning.empty()) {
        err << name << "warning: " << warning << std::endl;
    }
    out << summaryLine(*result.chart) << std::endl;
    return 0;
}

} // namespace chart
