#include "assets/noise.h"

#include "assets/random.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>

namespace assetgen {
namespace {

int wrap(int i, int period) {
    if (period <= 0) {
        return i;
    }
    int r = i % period;
    return r < 0 ? r + period : r;
}

float fade(float t) {
    return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f);
}

// Cheap lattice hash for gradient selection: gradient noise visits eight
// corners per sample, so it gets a lighter mix than hashCell().
uint32_t cornerHash(int x, int y, int z, uint32_t seed) {
    uint32_t h = seed ^ (uint32_t(x) * 0x8DA6B343u) ^ (uint32_t(y) * 0xD8163841u) ^
                 (uint32_t(z) * 0xCB1AB31Fu);
    h = (h ^ (h >> 13)) * 0x5BD1E995u;
    return h ^ (h >> 15);
}

// The twelve cube-edge directions of improved Perlin noise (four repeated to
// make sixteen): no axis bias, picked by four hash bits.
const glm::vec3 gradients[16] = {
    {1, 1, 0}, {-1, 1, 0}, {1, -1, 0}, {-1, -1, 0}, {1, 0, 1}, {-1, 0, 1}, {1, 0, -1}, {-1, 0, -1},
    {0, 1, 1}, {0, -1, 1}, {0, 1, -1}, {0, -1, -1}, {1, 1, 0}, {-1, 1, 0}, {0, -1, 1}, {0, -1, -1}};

} // namespace

float smoothstep(float edge0, float edge1, float x) {
    float t = std::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}

float gradientNoise(glm::vec3 p, uint32_t seed, int period) {
    glm::vec3 cell = glm::floor(p);
    glm::vec3 f = p - cell;
    int ix = int(cell.x), iy = int(cell.y), iz = int(cell.z);
    float corners[8];
    for (int c = 0; c < 8; ++c) {
        int dx = c & 1, dy = (c >> 1) & 1, dz = (c >> 2) & 1;
        uint32_t h = cornerHash(wrap(ix + dx, period), wrap(iy + dy, period), iz + dz, seed);
        corners[c] = glm::dot(gradients[h >> 28], f - glm::vec3(dx, dy, dz));
    }
    float u = fade(f.x), v = fade(f.y), w = fade(f.z);
    auto lerp = [](float a, float b, float t) { return a + (b - a) * t; };
    float x00 = lerp(corners[0], corners[1], u), x10 = lerp(corners[2], corners[3], u);
    float x01 = lerp(corners[4], corners[5], u), x11 = lerp(corners[6], corners[7], u);
    return lerp(lerp(x00, x10, v), lerp(x01, x11, v), w);
}

float fbm(glm::vec3 p, int octaves, uint32_t seed, int period) {
    float sum = 0.0f, weight = 1.0f, total = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * gradientNoise(p, seed + uint32_t(o) * 101u, period);
        total += weight;
        weight *= 0.5f;
        p *= 2.0f;
        period *= 2;
    }
    return sum / total * 1.4f;
}

float ridged(glm::vec3 p, int octaves, uint32_t seed, int period) {
    float sum = 0.0f, weight = 1.0f, total = 0.0f;
    for (int o = 0; o < octaves; ++o) {
        float r = 1.0f - std::fabs(gradientNoise(p, seed + uint32_t(o) * 131u, period));
        sum += weight * r * r;
        total += weight;
        weight *= 0.5f;
        p *= 2.0f;
        period *= 2;
    }
    return sum / total;
}

CellSample cellular(glm::vec3 p, uint32_t seed, int period) {
    glm::vec3 cell = glm::floor(p);
    CellSample best{1e9f, 1e9f, 0u};
    for (int dz = -1; dz <= 1; ++dz) {
        for (int dy = -1; dy <= 1; ++dy) {
            for (int dx = -1; dx <= 1; ++dx) {
                int cx = int(cell.x) + dx, cy = int(cell.y) + dy, cz = int(cell.z) + dz;
                uint32_t h = hashCell(wrap(cx, period), wrap(cy, period), cz, seed);
                glm::vec3 jitter(hashToUnit(h), hashToUnit(h * 0x9E3779B1u + 1u),
                                 hashToUnit(h * 0x85EBCA6Bu + 2u));
                float d = glm::length(glm::vec3(cx, cy, cz) + jitter - p);
                if (d < best.nearest) {
                    best.secondNext = best.nearest;
                    best.nearest = d;
                    best.id = h;
                } else if (d < best.secondNext) {
                    best.secondNext = d;
                }
            }
        }
    }
    return best;
}

} // namespace assetgen
