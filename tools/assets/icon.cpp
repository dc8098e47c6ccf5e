#include "assets/icon.h"

#include "assets/noise.h"
#include "assets/texture_helpers.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <glm/vec4.hpp>

namespace assetgen {
namespace {

// Every pixel averages this many samples a side, so edges stay smooth at 48 px.
constexpr int kSamplesPerSide = 4;

// The shapes, in a square from -1 to 1 with y up.
constexpr float kPlateHalfSide = 0.94f;
constexpr float kPlateCorner = 0.24f;
const glm::vec2 kCueCentre{0.22f, 0.18f};
constexpr float kCueRadius = 0.34f;
constexpr float kRingRadius = 0.50f;
// The flight path: an arc of this circle from the lower left up to the cue.
const glm::vec2 kPathCentre{0.95f, -1.55f};
const float kPathRadius = glm::length(kCueCentre - kPathCentre);

// Colour with coverage, premultiplied, so layers and samples add up simply.
struct Paint {
    glm::vec3 colour{0.0f};
    float alpha = 0.0f;

    void over(glm::vec3 top, float coverage) {
        colour = top * coverage + colour * (1.0f - coverage);
        alpha = coverage + alpha * (1.0f - coverage);
    }
    void add(glm::vec3 light) { colour += light; }
};

float roundedSquareDistance(glm::vec2 p) {
    glm::vec2 q = glm::abs(p) - glm::vec2(kPlateHalfSide - kPlateCorner);
    return glm::length(glm::max(q, 0.0f)) + std::min(std::max(q.x, q.y), 0.0f) - kPlateCorner;
}

glm::vec3 spaceBackground(glm::vec2 p) {
    glm::vec3 deep{0.04f, 0.03f, 0.10f};
    glm::vec3 nebula{0.20f, 0.07f, 0.26f};
    float cloud = 0.5f + 0.5f * fbm(glm::vec3(p * 2.2f, 0.3f), 4, 71u);
    glm::vec3 colour = mix3(deep, nebula, cloud * smoothstep(-1.0f, 0.8f, p.y) * 0.8f);
    // Stars: the brightest points of a fine cellular field.
    CellSample star = cellular(glm::vec3(p * 9.0f, 0.5f), 72u);
    float twinkle = 1.0f - smoothstep(0.02f, 0.09f, star.nearest);
    return colour + glm::vec3(0.9f, 0.9f, 1.0f) * twinkle * float(star.id % 5 == 0);
}

// The rusty sphere's colour where the view ray meets it, lit from the upper
// left with an orange rim from the path's glow.
glm::vec3 cueSurface(glm::vec2 onDisc) {
    float z = std::sqrt(std::max(0.0f, 1.0f - glm::dot(onDisc, onDisc)));
    glm::vec3 normal{onDisc.x, onDisc.y, z};
    float rustField = fbm(normal * 2.5f, 5, 73u);
    glm::vec3 metal{0.46f, 0.46f, 0.50f};
    glm::vec3 rust = mix3({0.30f, 0.11f, 0.05f}, {0.78f, 0.36f, 0.12f},
                          0.5f + 0.5f * fbm(normal * 6.0f, 3, 74u));
    glm::vec3 albedo = mix3(metal, rust, smoothstep(-0.35f, 0.15f, rustField));
    glm::vec3 light = glm::normalize(glm::vec3(-0.5f, 0.6f, 0.65f));
    float diffuse = std::max(0.0f, glm::dot(normal, light));
    float highlight =
        std::pow(std::max(0.0f, glm::dot(glm::reflect(-light, normal), {0, 0, 1})), 24.0f);
    float rim = std::pow(1.0f - z, 3.0f);
    return albedo * (0.12f + 0.95f * diffuse) + glm::vec3(0.9f) * highlight * 0.5f +
           glm::vec3(1.0f, 0.5f, 0.15f) * rim * 0.8f;
}

Paint sample(glm::vec2 p, float pixel) {
    Paint paint;
    float plate = roundedSquareDistance(p);
    float plateCoverage = 1.0f - smoothstep(-pixel, 0.0f, plate);
    if (plateCoverage <= 0.0f) {
        return paint;
    }
    paint.over(spaceBackground(p), 1.0f);

    // The path glows orange around a white-hot core and ends at the cue.
    float fromPath = std::abs(glm::length(p - kPathCentre) - kPathRadius);
    bool beforeCue = p.x < kCueCentre.x;
    float glow = std::exp(-fromPath / 0.06f) * float(beforeCue) * smoothstep(-1.0f, -0.6f, p.x);
    paint.add(glm::vec3(1.0f, 0.45f, 0.10f) * glow * 0.9f);
    float core = 1.0f - smoothstep(0.012f, 0.012f + pixel, fromPath);
    paint.over(glm::vec3(1.0f, 0.92f, 0.75f),
               core * float(beforeCue) * smoothstep(-1.0f, -0.6f, p.x));

    glm::vec2 onDisc = (p - kCueCentre) / kCueRadius;
    float fromEdge = (glm::length(onDisc) - 1.0f) * kCueRadius;
    paint.add(glm::vec3(1.0f, 0.5f, 0.15f) * std::exp(-std::max(fromEdge, 0.0f) / 0.05f) * 0.35f);
    float cueCoverage = 1.0f - smoothstep(-pixel, 0.0f, fromEdge);
    if (cueCoverage > 0.0f) {
        paint.over(cueSurface(onDisc * std::min(1.0f, 1.0f / glm::length(onDisc))), cueCoverage);
    }

    // The crosshair: a thin ring with four gaps on the axes.
    glm::vec2 fromCue = p - kCueCentre;
    float ring = std::abs(glm::length(fromCue) - kRingRadius);
    float gap = std::min(std::abs(fromCue.x), std::abs(fromCue.y));
    float ringCoverage =
        (1.0f - smoothstep(0.018f, 0.018f + pixel, ring)) * smoothstep(0.06f, 0.06f + pixel, gap);
    paint.over(glm::vec3(0.85f, 0.95f, 1.0f), ringCoverage * 0.85f);

    paint.colour *= plateCoverage;
    paint.alpha = plateCoverage;
    return paint;
}

} // namespace

Image gameIcon(int size) {
    Image image(size, size, 4);
    const float pixel = 2.0f / float(size);
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            Paint sum;
            for (int sy = 0; sy < kSamplesPerSide; ++sy) {
                for (int sx = 0; sx < kSamplesPerSide; ++sx) {
                    glm::vec2 p{(float(x) + (float(sx) + 0.5f) / kSamplesPerSide) * pixel - 1.0f,
                                1.0f - (float(y) + (float(sy) + 0.5f) / kSamplesPerSide) * pixel};
                    Paint one = sample(p, pixel);
                    sum.colour += one.colour;
                    sum.alpha += one.alpha;
                }
            }
            const float samples = float(kSamplesPerSide * kSamplesPerSide);
            float alpha = sum.alpha / samples;
            glm::vec3 colour = alpha > 0.0f ? sum.colour / samples / alpha : glm::vec3(0.0f);
            image.set(x, y, glm::vec4(colour, alpha));
        }
    }
    return image;
}

} // namespace assetgen
