#pragma once

#include "game/debris.h"
#include "game/path.h"

#include <vector>

namespace game {

// Scatters the wreckage along the whole path: for every segment,
// DebrisArrays::kPiecesPerPathPoint pieces on the spline, each pushed
// sideways by 20 to 70 units and sized up to 10 per axis. Draws from the
// game's random sequence in a fixed order, so every run builds the same
// field. The hull is left as it is.
void fillDebris(DebrisArrays& debris, const PathPoints& points);

// The same for a course: as many pieces in all, but each segment's share
// follows the song's loudness there (`loudness` one per point, 0 to 1), so
// loud passages fly through dense wreckage and quiet ones through sparse.
void fillCourseDebris(DebrisArrays& debris, const PathPoints& points,
                      const std::vector<float>& loudness);

} // namespace game
