#include "library/chart_mark.h"

#include <charconv>
#include <cmath>
#include <fstream>
#include <istream>
#include <optional>

namespace library {

namespace {

bool isDensity(const std::string& text) {
    return text == "easy" || text == "normal" || text == "hard";
}

// A whole value that is a finite number of at least 0.
std::optional<double> amountOf(const std::string& text) {
    double value = 0.0;
    const auto [end, status] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (status != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        value < 0.0) {
        return std::nullopt;
    }
    return value;
}

} // namespace

ChartMark readChartMark(std::istream& in) {
    ChartMark mark;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        const std::size_t split = line.find('=');
        if (line.empty() || line.front() == '#' || split == std::string::npos) {
            continue;
        }
        const std::string key = line.substr(0, split);
        const std::string value = line.substr(split + 1);
        if (key == "density" && isDensity(value)) {
            mark.density = value;
        } else if (key == "chart_version") {
            int version = 0;
            const auto [end, status] =
                std::from_chars(value.data(), value.data() + value.size(), version);
            if (status == std::errc() && end == value.data() + value.size() && version >= 0) {
                mark.chartVersion = version;
            }
        } else if (key == "tempo_bpm") {
            mark.tempoBpm = amountOf(value).value_or(mark.tempoBpm);
        } else if (key == "preview_ms") {
            mark.previewMs = amountOf(value).value_or(mark.previewMs);
        } else if (key == "song_file") {
            mark.songFile = value;
        }
    }
    return mark;
}

ChartMark readChartMark(const std::filesystem::path& runFolder) {
    std::ifstream in(runFolder / kChartMarkFile);
    return in ? readChartMark(in) : ChartMark{};
}

} // namespace library
