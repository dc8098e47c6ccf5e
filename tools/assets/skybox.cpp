#include "assets/random.h"
#include "assets/texture_helpers.h"
#include "assets/textures.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <vector>

namespace assetgen {
namespace {

// One layer of stars: at most one star per cell of a 3D grid with `cells`
// cells per unit, kept only if it lies close to the sphere of that radius,
// so its dot is always found among the eight cells nearest a texel.
struct StarLayer {
    float cells;
    float density;    // share of cells that hold a star
    float sharpness;  // 1 / (2 sigma^2) of the dot, sigma in radians
    float brightness; // of the brightest star in the layer
    uint32_t seed;
};

glm::vec3 starColour(float temperature) {
    if (temperature < 0.15f) {
        return {1.0f, 0.62f, 0.45f}; // red dwarfs
    }
    if (temperature < 0.4f) {
        return {1.0f, 0.88f, 0.7f};
    }
    if (temperature < 0.8f) {
        return {0.95f, 0.97f, 1.0f};
    }
    return {0.7f, 0.82f, 1.0f}; // hot blue stars
}

glm::vec3 starLight(glm::vec3 d, const StarLayer& layer, float densityScale) {
    glm::vec3 p = d * layer.cells;
    glm::vec3 first = glm::floor(p - 0.5f);
    glm::vec3 light(0.0f);
    for (int c = 0; c < 8; ++c) {
        glm::vec3 cell = first + glm::vec3(c & 1, (c >> 1) & 1, (c >> 2) & 1);
        uint32_t h = hashCell(int(cell.x), int(cell.y), int(cell.z), layer.seed);
        if (hashToUnit(h) >= layer.density * densityScale) {
            continue;
        }
        glm::vec3 jitter(hashToUnit(h * 0x9E3779B1u + 1u), hashToUnit(h * 0x85EBCA6Bu + 2u),
                         hashToUnit(h * 0xC2B2AE35u + 3u));
        glm::vec3 star = cell + 0.25f + 0.5f * jitter;
        if (std::fabs(glm::length(star) - layer.cells) > 0.2f) {
            continue;
        }
        float angle = glm::length(d - glm::normalize(star));
        float magnitude = std::pow(hashToUnit(h * 0x27D4EB2Du + 4u), 4.0f);
        float dot = std::exp(-angle * angle * layer.sharpness);
        light += starColour(hashToUnit(h * 0x165667B1u + 5u)) * dot * layer.brightness *
                 (0.15f + 0.85f * magnitude);
    }
    return light;
}

glm::vec3 nebula(glm::vec3 d) {
    float clouds = fbm(d * 1.6f, 6, 301u);
    float body = smoothstep(-0.05f, 0.75f, clouds);
    float hue = 0.5f + 0.5f * fbm(d * 1.1f + 7.0f, 3, 302u);
    glm::vec3 colour = mix3({0.30f, 0.10f, 0.42f}, {0.06f, 0.30f, 0.42f}, hue);
    glm::vec3 glowing = glm::vec3(0.75f, 0.32f, 0.52f) * smoothstep(0.45f, 0.95f, clouds);
    float dust = std::pow(ridged(d * 2.5f, 4, 303u), 4.0f);
    glm::vec3 light = (colour * body * 0.9f + glowing * 0.6f) * (1.0f - 0.75f * dust);
    return light + glm::vec3(0.008f, 0.010f, 0.022f);
}

// A faint band of many small stars across the sky, as in a galaxy's disc.
float milkyBand(glm::vec3 d) {
    float height = glm::dot(d, glm::normalize(glm::vec3(0.3f, 1.0f, 0.45f)));
    return std::exp(-height * height * 12.0f);
}

// The nebula is smooth, so it is computed on a grid four times coarser and
// blended up. The grid's edge points lie on the cube edges as the texels do,
// so neighbouring faces still agree along their shared edge.
class CoarseNebula {
public:
    CoarseNebula(int face, int size)
        : points(size / 4 + 1), size(size), grid(size_t(points * points)) {
        for (int y = 0; y < points; ++y) {
            for (int x = 0; x < points; ++x) {
                glm::vec3 d = cubeFaceDirection(face, x, y, points);
                grid[size_t(y * points + x)] =
                    nebula(d) + glm::vec3(0.03f, 0.03f, 0.045f) * milkyBand(d);
            }
        }
    }
    glm::vec3 at(int x, int y) const {
        float gx = float(x) * float(points - 1) / float(size - 1);
        float gy = float(y) * float(points - 1) / float(size - 1);
        int x0 = std::min(int(gx), points - 2), y0 = std::min(int(gy), points - 2);
        float fx = gx - float(x0), fy = gy - float(y0);
        auto g = [&](int ix, int iy) { return grid[size_t(iy * points + ix)]; };
        return mix3(mix3(g(x0, y0), g(x0 + 1, y0), fx), mix3(g(x0, y0 + 1), g(x0 + 1, y0 + 1), fx),
                    fy);
    }

private:
    int points;                  // grid points per side
    int size;                    // texels per side of the face
    std::vector<glm::vec3> grid; // nebula light at the grid points, row 0 on top
};

} // namespace

glm::vec3 cubeFaceDirection(int face, int x, int y, int size) {
    float sc = 2.0f * float(x) / float(size - 1) - 1.0f;
    float tc = 2.0f * float(y) / float(size - 1) - 1.0f;
    switch (face) {
    case 0:
        return glm::normalize(glm::vec3(1.0f, -tc, -sc));
    case 1:
        return glm::normalize(glm::vec3(-1.0f, -tc, sc));
    case 2:
        return glm::normalize(glm::vec3(sc, 1.0f, tc));
    case 3:
        return glm::normalize(glm::vec3(sc, -1.0f, -tc));
    case 4:
        return glm::normalize(glm::vec3(sc, -tc, 1.0f));
    default:
        return glm::normalize(glm::vec3(-sc, -tc, -1.0f));
    }
}

std::array<Image, 6> spaceSkybox(int size) {
    const StarLayer faint{56.0f, 0.35f, 2.5e5f, 0.9f, 311u};
    const StarLayer bright{14.0f, 0.6f, 8.0e4f, 1.6f, 312u};
    std::array<Image, 6> faces{Image(size, size, 3), Image(size, size, 3), Image(size, size, 3),
                               Image(size, size, 3), Image(size, size, 3), Image(size, size, 3)};
    for (int face = 0; face < 6; ++face) {
        CoarseNebula clouds(face, size);
        fillImage(faces[size_t(face)], [&](glm::vec2, int x, int y) {
            glm::vec3 d = cubeFaceDirection(face, x, y, size);
            glm::vec3 light = clouds.at(x, y) + starLight(d, faint, 0.5f + 1.5f * milkyBand(d)) +
                              starLight(d, bright, 1.0f);
            return glm::vec4(light, 1.0f);
        });
    }
    return faces;
}

} // namespace assetgen
