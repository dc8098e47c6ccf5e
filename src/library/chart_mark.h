#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

namespace library {

// What the charting tool's mark (chart.cfg in a chart folder) says of the
// level the game plays: the analysis that made it, its density, and for the
// song library the song's tempo and where its preview starts.
struct ChartMark {
    int chartVersion = 0; // 0: the shipped song, charted by hand
    std::string density = "normal";
    double tempoBpm = 0.0;   // 0 when the mark does not say
    double previewMs = -1.0; // where the loudest stretch starts; negative when it does not say
    std::string songFile;    // the song's own file name; empty when it does not say
};

// The mark file's name, as the charting tool writes it.
inline const std::filesystem::path kChartMarkFile = "chart.cfg";

// Reads "key=value" lines as config.cfg does. A folder without a mark is the
// shipped run folder: the hand-made chart of the shipped song, whose cues sit
// as densely as a normal chart's. A density other than easy, normal or hard
// and a version that is no number leave the defaults.
ChartMark readChartMark(std::istream& in);
ChartMark readChartMark(const std::filesystem::path& runFolder);

} // namespace library
