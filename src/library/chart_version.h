#pragma once

// Header-only: the charting tool writes this number into every chart's mark
// and the song library keys its chart cache by it.

namespace library {

// The charting analysis's own version: a cached chart is kept only while it
// is the same, so raise it whenever a song would be charted differently.
inline constexpr int kChartVersion = 2;

} // namespace library
