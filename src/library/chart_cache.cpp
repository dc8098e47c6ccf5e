#include "library/chart_cache.h"

#include "game/recording_format.h"

namespace library {

namespace fs = std::filesystem;

const char* densityName(Density density) {
    switch (density) {
    case Density::Easy:
        return "easy";
    case Density::Hard:
        return "hard";
    case Density::Normal:
        break;
    }
    return "normal";
}

fs::path chartFolder(const fs::path& cacheFolder, const std::string& identity, Density density,
                     int chartVersion) {
    return cacheFolder / "charts" /
           (identity + "-" + densityName(density) + "-v" + std::to_string(chartVersion));
}

std::optional<ChartMark> cachedChart(const fs::path& folder, Density density, int chartVersion) {
    std::error_code status;
    // The tool moves a chart folder into place whole, mark and all; the cue
    // file is checked too, since the player may have emptied the folder.
    if (!fs::is_regular_file(folder / kChartMarkFile, status) ||
        !fs::is_regular_file(folder / game::kCueRecordingFile, status)) {
        return std::nullopt;
    }
    const ChartMark mark = readChartMark(folder);
    if (mark.chartVersion != chartVersion || mark.density != densityName(density)) {
        return std::nullopt;
    }
    return mark;
}

} // namespace library
