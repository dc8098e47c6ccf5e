#pragma once

#include "library/chart_mark.h"

#include <array>
#include <filesystem>
#include <optional>
#include <string>

// Where the song library keeps its charts: one chart folder (a run folder the
// game plays from) per song, density and charting analysis, named by the
// song's identity, so a renamed or moved file keeps its chart and a changed
// file or a newer analysis charts anew.

namespace library {

enum class Density { Easy, Normal, Hard };
inline constexpr std::array<Density, 3> kDensities = {Density::Easy, Density::Normal,
                                                      Density::Hard};

// "easy", "normal" or "hard", as the charting tool takes them.
const char* densityName(Density density);

// <cache folder>/charts/<identity>-<density>-v<chart version>
std::filesystem::path chartFolder(const std::filesystem::path& cacheFolder,
                                  const std::string& identity, Density density, int chartVersion);

// The chart's mark when the folder holds a whole chart of that density and
// version; nothing otherwise (missing, half-written, another analysis).
std::optional<ChartMark> cachedChart(const std::filesystem::path& folder, Density density,
                                     int chartVersion);

} // namespace library
