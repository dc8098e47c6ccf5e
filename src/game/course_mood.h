#pragma once

#include "game/course.h"

#include <glm/glm.hpp>

#include <vector>

namespace game {

// What the music does to the light at one moment of a course: the main
// light's tint and the glow's, the section's colours brightened on each beat
// and more on a flare.
struct LightMood {
    glm::vec3 light{1.0f};
    glm::vec3 glow{1.0f};
};

// The mood at positionMs; beatsMs ascending (the beat recording). A new
// section's colours fade in over its first moments. Allocates nothing.
LightMood courseMood(const Course& course, const std::vector<double>& beatsMs, double positionMs);

// The section playing at positionMs: the last one started (0 before any).
std::size_t sectionAt(const Course& course, double positionMs);

} // namespace game
