#pragma once

#include <cstdint>
#include <glm/vec3.hpp>

namespace assetgen {

// All noise takes an optional period (in lattice cells, applied to x and y):
// a texture that samples x and y over exactly one period tiles without seams.
// Period 0 means no wrapping, for noise sampled on a sphere of directions.

// Gradient noise, roughly in [-1, 1].
float gradientNoise(glm::vec3 p, uint32_t seed, int period = 0);

// Sum of octaves of gradient noise, each at twice the frequency and half the
// weight of the one before; normalised back to roughly [-1, 1].
float fbm(glm::vec3 p, int octaves, uint32_t seed, int period = 0);

// Octaves of 1 - |noise|, squared: sharp crests for ridges and cracks, in [0, 1].
float ridged(glm::vec3 p, int octaves, uint32_t seed, int period = 0);

struct CellSample {
    float nearest;    // distance to the closest feature point
    float secondNext; // distance to the second closest
    uint32_t id;      // hash of the closest point's cell, to colour cells apart
};

// Worley (cellular) noise with one jittered feature point per cell.
CellSample cellular(glm::vec3 p, uint32_t seed, int period = 0);

float smoothstep(float edge0, float edge1, float x);

} // namespace assetgen
