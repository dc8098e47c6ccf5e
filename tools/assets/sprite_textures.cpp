#include "assets/random.h"
#include "assets/texture_helpers.h"
#include "assets/textures.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <numbers>
#include <vector>

namespace assetgen {
namespace {

constexpr float pi = std::numbers::pi_v<float>;

// Colour and coverage as one RGBA texel that works for both additive and
// alpha blending: black where transparent, colour fading with the alpha.
glm::vec4 glow(glm::vec3 colour, float intensity) {
    intensity = std::clamp(intensity, 0.0f, 1.0f);
    return glm::vec4(colour * std::sqrt(intensity), intensity);
}

// Sprite-local coordinates: centre (0, 0), cell edges at +-1, y up.
using Sprite = glm::vec4 (*)(glm::vec2 p);

glm::vec4 fireball(glm::vec2 p) {
    float r = glm::length(p);
    float turbulence = fbm(glm::vec3(p * 3.0f, 0.3f), 5, 201u);
    float body = 1.0f - smoothstep(0.55f, 0.92f, r + 0.18f * turbulence);
    float heat = std::clamp(1.0f - r * 1.05f + 0.3f * turbulence, 0.0f, 1.0f);
    glm::vec3 colour =
        mix3({0.85f, 0.18f, 0.03f}, {1.0f, 0.62f, 0.15f}, smoothstep(0.1f, 0.5f, heat));
    colour = mix3(colour, glm::vec3(1.0f, 0.97f, 0.85f), smoothstep(0.55f, 0.9f, heat));
    return glow(colour, body * (0.55f + 0.45f * heat));
}

glm::vec4 smokePuff(glm::vec2 p) {
    float r = glm::length(p);
    float billows = 0.5f + 0.5f * fbm(glm::vec3(p * 2.5f, 4.7f), 5, 211u);
    float density =
        (1.0f - smoothstep(0.4f, 0.92f, r + 0.25f * (billows - 0.5f))) * (0.4f + 0.6f * billows);
    glm::vec3 colour = mix3({0.3f, 0.27f, 0.25f}, {0.7f, 0.66f, 0.62f}, billows);
    return glow(colour, density * 0.85f);
}

glm::vec4 sparkBurst(glm::vec2 p) {
    static const std::vector<glm::vec3> rays = [] {
        Random random(0x5A7C5ull);
        std::vector<glm::vec3> list; // angle, length, brightness
        for (int i = 0; i < 28; ++i) {
            list.push_back({random.range(0.0f, 2.0f * pi), random.range(0.6f, 0.95f),
                            random.range(0.5f, 1.0f)});
        }
        return list;
    }();
    float r = glm::length(p);
    float light = std::exp(-r * r * 30.0f);
    for (glm::vec3 ray : rays) {
        glm::vec2 dir(std::cos(ray.x), std::sin(ray.x));
        float along = glm::dot(p, dir);
        if (along <= 0.0f || along > ray.y) {
            continue;
        }
        float across = std::fabs(dir.x * p.y - dir.y * p.x);
        float width = 0.018f * (1.0f - along / ray.y) + 0.004f;
        light += ray.z * (1.0f - smoothstep(0.0f, width, across)) * (1.0f - along / ray.y);
    }
    glm::vec3 colour = mix3({1.0f, 0.55f, 0.15f}, {1.0f, 0.95f, 0.75f}, std::exp(-r * 4.0f));
    return glow(colour, light);
}

glm::vec4 flareGlow(glm::vec2 p) {
    float r = glm::length(p);
    float core = std::exp(-r * r * 18.0f);
    float halo = std::exp(-std::pow((r - 0.62f) / 0.05f, 2.0f)) * 0.35f;
    float streaks = (std::exp(-std::fabs(p.y) * 90.0f) + std::exp(-std::fabs(p.x) * 90.0f)) *
                    (1.0f - smoothstep(0.2f, 0.9f, r)) * 0.6f;
    glm::vec3 colour = mix3({0.55f, 0.75f, 1.0f}, {1.0f, 1.0f, 1.0f}, core);
    float fadeOut = 1.0f - smoothstep(0.85f, 0.98f, r);
    return glow(colour, (core + halo + streaks) * fadeOut);
}

} // namespace

Image targetMarker() {
    Image image(256, 256, 4);
    fillImage(image, [](glm::vec2 uv, int, int) {
        glm::vec2 p(uv.x * 2.0f - 1.0f, 1.0f - uv.y * 2.0f);
        float r = glm::length(p);
        float ring = std::exp(-std::pow((r - 0.62f) / 0.035f, 2.0f));
        float ringGlow = std::exp(-std::pow((r - 0.62f) / 0.16f, 2.0f)) * 0.45f;
        // Four ticks pointing inward from outside the ring.
        float tick = 0.0f;
        glm::vec2 a = glm::abs(p);
        float along = std::max(a.x, a.y), across = std::min(a.x, a.y);
        if (along > 0.7f && along < 0.92f) {
            tick = 1.0f - smoothstep(0.015f, 0.035f, across);
        }
        float dot = std::exp(-r * r * 250.0f);
        float intensity = std::max({ring, tick, dot}) + ringGlow;
        glm::vec3 colour =
            mix3({0.3f, 0.95f, 0.85f}, {0.9f, 1.0f, 1.0f}, std::max({ring, tick, dot}));
        float fadeOut = 1.0f - smoothstep(0.9f, 0.99f, r);
        return glow(colour, intensity * fadeOut);
    });
    return image;
}

Image explosionSheet() {
    const int cell = 256;
    const Sprite sprites[4] = {fireball, smokePuff, sparkBurst, flareGlow};
    Image image(2 * cell, 2 * cell, 4);
    fillImage(image, [&](glm::vec2, int x, int y) {
        int index = (y / cell) * 2 + x / cell;
        glm::vec2 p((float(x % cell) + 0.5f) / float(cell) * 2.0f - 1.0f,
                    1.0f - (float(y % cell) + 0.5f) / float(cell) * 2.0f);
        // Nothing reaches the cell border, so mip-maps do not bleed between sprites.
        float border = 1.0f - smoothstep(0.9f, 0.99f, std::max(std::fabs(p.x), std::fabs(p.y)));
        return sprites[index](p) * border;
    });
    return image;
}

} // namespace assetgen
