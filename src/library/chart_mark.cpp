#include "library/chart_mark.h"

#include <charconv>
#include <fstream>
#include <istream>

namespace library {

namespace {

bool isDensity(const std::string& text) {
    return text == "easy" || text == "normal" || text == "hard";
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
        }
    }
    return mark;
}

ChartMark readChartMark(const std::filesystem::path& runFolder) {
    std::ifstream in(runFolder / kChartMarkFile);
    return in ? readChartMark(in) : ChartMark{};
}

} // namespace library
