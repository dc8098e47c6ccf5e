#pragma once

#include <vector>

namespace chart {

// How long the song library plays of a song while its row is chosen.
constexpr double kPreviewMs = 15000.0;

// Where the loudest kPreviewMs of a song start, from its loudness per frame
// (RMS, frames of `frameMs`): the stretch a player recognises a song by. A
// song shorter than that starts at 0.
double loudestStretchMs(const std::vector<float>& loudness, double frameMs, double lengthMs);

} // namespace chart
