#include "assets/panels.h"
#include "assets/random.h"
#include "assets/texture_helpers.h"
#include "assets/textures.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <numbers>

namespace assetgen {

glm::vec3 sphereDirection(glm::vec2 uv) {
    float polar = std::numbers::pi_v<float> * uv.y;
    float around = 2.0f * std::numbers::pi_v<float> * uv.x;
    return {std::sin(polar) * std::sin(around), std::cos(polar),
            std::sin(polar) * std::cos(around)};
}

Image stationPanels() {
    const int size = 512;
    PanelLayout layout(size, 8, 0x57A7ull);
    Image image(size, size, 3);
    fillImage(image, [&](glm::vec2 uv, int x, int y) {
        PanelLayout::Hit hit = layout.at(x, y);
        uint32_t plateHash = hashCell(hit.panel, 1, 0, 91u);
        float bevel = smoothstep(0.0f, 2.0f, float(hit.edgeDistance));
        glm::vec3 colour = glm::vec3(0.68f, 0.69f, 0.70f) * (0.85f + 0.15f * hashToUnit(plateHash));
        colour *= (0.6f + 0.4f * bevel) * (0.9f + 0.1f * tiledFbm(uv, 8, 4, 92u));
        // Some plates carry a row of lit windows.
        if (plateHash % 5u == 1u && hit.height >= 16) {
            int wx = (hit.x - 4) % 10, wy = hit.y - hit.height / 2;
            bool window = hit.x >= 4 && hit.x < hit.width - 4 && wx < 6 && std::abs(wy) < 3;
            if (window) {
                bool lit = hashCell(hit.panel, (hit.x - 4) / 10, 2, 93u) % 3u != 0u;
                colour = lit ? glm::vec3(1.0f, 0.86f, 0.55f) : glm::vec3(0.08f, 0.1f, 0.14f);
            }
        }
        return glm::vec4(colour, 1.0f);
    });
    return image;
}

Image asteroidRock() {
    const int size = 512;
    Image image(size, size, 3);
    fillImage(image, [&](glm::vec2 uv, int, int) {
        float base = 0.5f + 0.5f * tiledFbm(uv, 6, 6, 101u);
        float cracks = ridged(glm::vec3(uv * 10.0f, 0.5f), 3, 102u, 10);
        CellSample crater = tiledCells(uv, 12, 103u);
        float rim = smoothstep(0.25f, 0.38f, crater.nearest) *
                    (1.0f - smoothstep(0.38f, 0.5f, crater.nearest));
        float bowl = 1.0f - smoothstep(0.0f, 0.35f, crater.nearest);
        bool isCrater = hashToUnit(crater.id) < 0.5f;
        float shade = 0.3f + 0.3f * base;
        if (isCrater) {
            shade += 0.12f * rim - 0.12f * bowl;
        }
        shade *= 1.0f - 0.5f * std::pow(cracks, 6.0f);
        glm::vec3 tint = mix3({0.46f, 0.42f, 0.38f}, {0.38f, 0.33f, 0.28f}, base);
        return glm::vec4(tint * shade * 1.6f, 1.0f);
    });
    return image;
}

Image gasGiant() {
    Image image(1024, 512, 3);
    const glm::vec3 palette[] = {{0.93f, 0.86f, 0.72f}, {0.80f, 0.62f, 0.42f},
                                 {0.62f, 0.40f, 0.26f}, {0.88f, 0.78f, 0.62f},
                                 {0.55f, 0.47f, 0.42f}, {0.74f, 0.55f, 0.38f}};
    fillImage(image, [&](glm::vec2 uv, int, int) {
        glm::vec3 d = sphereDirection(uv);
        // Bands by latitude, bent by turbulence that is stronger near the equator.
        float w = fbm(d * 3.0f, 3, 115u);
        glm::vec3 warp(w, 0.0f, -w);
        float swirl = fbm(d * glm::vec3(2.0f, 7.0f, 2.0f) + warp * 0.8f, 4, 111u);
        float band = d.y * 5.5f + 0.3f * swirl;
        float t = band - std::floor(band);
        int i = (int(std::floor(band)) % 6 + 6) % 6;
        glm::vec3 colour = mix3(palette[i], palette[(i + 1) % 6], smoothstep(0.15f, 0.85f, t));
        float streaks = fbm(d * glm::vec3(3.0f, 40.0f, 3.0f) + warp * 0.3f, 2, 112u);
        // One great oval storm in the southern hemisphere.
        glm::vec3 stormCentre(0.55f, -0.38f, 0.74f);
        glm::vec3 offset = d - glm::normalize(stormCentre);
        float storm = std::hypot(offset.x * 0.6f, offset.y * 1.6f, offset.z * 0.6f) +
                      0.04f * fbm(d * 20.0f, 3, 113u);
        float stormMask = 1.0f - smoothstep(0.08f, 0.16f, storm);
        colour = mix3(colour, glm::vec3(0.78f, 0.36f, 0.22f), stormMask);
        return glm::vec4(colour * (0.94f + 0.06f * streaks), 1.0f);
    });
    return image;
}

Image rockyPlanet() {
    Image image(1024, 512, 3);
    fillImage(image, [&](glm::vec2 uv, int, int) {
        glm::vec3 d = sphereDirection(uv);
        float height = fbm(d * 1.8f, 6, 121u) - 0.05f;
        float latitude = std::fabs(d.y);
        glm::vec3 colour;
        if (height < 0.0f) {
            colour =
                mix3({0.04f, 0.12f, 0.30f}, {0.10f, 0.32f, 0.52f}, smoothstep(-0.5f, 0.0f, height));
        } else {
            float dry =
                smoothstep(0.35f, 0.6f, 0.5f + 0.5f * fbm(d * 3.0f, 3, 122u) - latitude * 0.3f);
            glm::vec3 green = mix3({0.16f, 0.32f, 0.12f}, {0.35f, 0.38f, 0.2f}, height * 2.0f);
            colour = mix3(green, glm::vec3(0.66f, 0.55f, 0.36f), dry);
            colour = mix3(colour, glm::vec3(0.5f, 0.45f, 0.42f), smoothstep(0.35f, 0.6f, height));
        }
        float ice = smoothstep(0.92f, 0.95f, latitude + 0.04f * fbm(d * 8.0f, 2, 123u));
        colour = mix3(colour, glm::vec3(0.92f, 0.95f, 0.98f), ice);
        float w = fbm(d * 2.0f, 3, 125u);
        glm::vec3 warp(w, 0.6f * w, -w);
        float clouds =
            smoothstep(0.1f, 0.55f, fbm(d * glm::vec3(3.0f, 6.0f, 3.0f) + warp, 4, 124u));
        return glm::vec4(mix3(colour, glm::vec3(0.95f), clouds * 0.8f), 1.0f);
    });
    return image;
}

Image moonSurface() {
    Image image(512, 256, 3);
    fillImage(image, [&](glm::vec2 uv, int, int) {
        glm::vec3 d = sphereDirection(uv);
        float maria = smoothstep(0.05f, 0.3f, fbm(d * 1.5f, 4, 131u));
        float shade = 0.62f - 0.22f * maria + 0.08f * fbm(d * 12.0f, 4, 132u);
        for (int scale = 0; scale < 3; ++scale) {
            float frequency = 4.0f * float(1 << (2 * scale));
            CellSample crater = cellular(d * frequency, 133u + uint32_t(scale));
            if (hashToUnit(crater.id) < 0.55f) {
                float bowl = 1.0f - smoothstep(0.0f, 0.3f, crater.nearest);
                float rim = smoothstep(0.22f, 0.32f, crater.nearest) *
                            (1.0f - smoothstep(0.32f, 0.42f, crater.nearest));
                shade += (0.1f * rim - 0.12f * bowl) / float(scale + 1);
            }
        }
        return glm::vec4(glm::vec3(shade) * glm::vec3(1.0f, 0.98f, 0.95f), 1.0f);
    });
    return image;
}

Image ringBands() {
    Image image(512, 64, 4);
    fillImage(image, [&](glm::vec2 uv, int, int) {
        // Dense rings of varying opacity, a dark gap two thirds out and soft edges.
        float r = uv.x;
        float bands = 0.5f + 0.5f * fbm(glm::vec3(r * 40.0f, 0.5f, 0.5f), 4, 141u);
        float fine = 0.5f + 0.5f * gradientNoise(glm::vec3(r * 300.0f, 0.5f, 0.5f), 142u);
        float gap = smoothstep(0.015f, 0.03f, std::fabs(r - 0.64f));
        float edges = smoothstep(0.0f, 0.06f, r) * (1.0f - smoothstep(0.9f, 1.0f, r));
        float faintInside = 0.35f + 0.65f * smoothstep(0.2f, 0.3f, r);
        float density = smoothstep(0.25f, 0.75f, bands);
        float alpha = (0.25f + 0.65f * density + 0.1f * fine) * gap * edges * faintInside;
        float clump = 0.95f + 0.05f * tiledFbm(uv, 8, 2, 143u);
        glm::vec3 colour = mix3({0.75f, 0.66f, 0.52f}, {0.93f, 0.88f, 0.78f}, bands) * clump;
        return glm::vec4(colour, alpha);
    });
    return image;
}

} // namespace assetgen
