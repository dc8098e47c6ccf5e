#pragma once

#include "assets/noise.h"

#include <glm/vec2.hpp>
#include <glm/vec3.hpp>

namespace assetgen {

// Octave noise over a texture that tiles: `cells` lattice cells across it.
inline float tiledFbm(glm::vec2 uv, int cells, int octaves, uint32_t seed) {
    return fbm(glm::vec3(uv * float(cells), 0.5f), octaves, seed, cells);
}

inline CellSample tiledCells(glm::vec2 uv, int cells, uint32_t seed) {
    return cellular(glm::vec3(uv * float(cells), 0.5f), seed, cells);
}

inline glm::vec3 mix3(glm::vec3 a, glm::vec3 b, float t) {
    return a + (b - a) * t;
}

// Direction of the point at (u, v) of a whole-sphere map, matching uvSphere().
glm::vec3 sphereDirection(glm::vec2 uv);

} // namespace assetgen
