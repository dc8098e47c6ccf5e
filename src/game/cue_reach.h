#pragma once

#include "game/path.h"

#include <glm/glm.hpp>

namespace game {

// A cue sits where the camera passes this long after the cue's time.
constexpr double kCueLeadMs = 800.0;

// What the racing camera sees: the window's projection and size.
struct CueView {
    glm::mat4 projection;
    int width;
    int height;
};

// Whether the racing camera, flying the path, can bring a cue at `place`
// under the cursor at some moment of the window of a cue at cueMs (music
// time): turned by the moved cursor, or unturned with the cursor resting on
// the cue, as a player (and the demo) may do.
bool racingCameraReaches(const PathPoints& points, const glm::vec3& place, double cueMs,
                         const CueView& view);

// Where the level puts a cue at cueMs: on the path kCueLeadMs later, pushed
// sideways by `jitter` (x and y). On a sharp bend that place may lie beyond
// what the racing camera can show during the cue's window; the cue then
// moves nearer the path, and where not even the path is in sight, straight
// ahead of the camera at the cue's moment, so every cue of any recording can
// be hit.
glm::vec3 placeCue(const PathPoints& points, double cueMs, const glm::vec2& jitter,
                   const CueView& view);

} // namespace game
