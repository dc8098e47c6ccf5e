#include "assets/panels.h"
#include "assets/random.h"
#include "assets/texture_helpers.h"
#include "assets/textures.h"

#include <algorithm>
#include <cmath>
#include <glm/geometric.hpp>
#include <vector>

namespace assetgen {
namespace {

const int materialSize = 512;

// Thin bright lines where paint and rust are worn off, wrapped at the edges.
std::vector<float> scratchMask(int size, int count, uint64_t seed) {
    std::vector<float> mask(size_t(size) * size_t(size), 0.0f);
    Random random(seed);
    for (int s = 0; s < count; ++s) {
        glm::vec2 start(random.range(0.0f, float(size)), random.range(0.0f, float(size)));
        float angle = random.range(0.0f, 6.2831853f);
        float length = random.range(10.0f, 70.0f);
        float strength = random.range(0.3f, 0.9f);
        glm::vec2 step(std::cos(angle), std::sin(angle));
        for (float t = 0.0f; t < length; t += 0.5f) {
            glm::vec2 p = start + step * t;
            int x = (int(std::floor(p.x)) % size + size) % size;
            int y = (int(std::floor(p.y)) % size + size) % size;
            float fadeOut = 1.0f - t / length;
            float& m = mask[size_t(y) * size_t(size) + size_t(x)];
            m = std::max(m, strength * fadeOut);
        }
    }
    return mask;
}

// Rivet dome height at a plate pixel: rows of rivets 5 px inside each edge.
float rivetHeight(const PanelLayout::Hit& hit) {
    const int inset = 5, spacing = 14;
    float best = 0.0f;
    auto tryRivet = [&](float cx, float cy) {
        float d = std::hypot(float(hit.x) - cx, float(hit.y) - cy);
        best = std::max(best, 1.0f - smoothstep(0.8f, 2.2f, d));
    };
    auto nearestOnRow = [&](int along) { return float((along + spacing / 2) / spacing * spacing); };
    tryRivet(nearestOnRow(hit.x), float(inset));
    tryRivet(nearestOnRow(hit.x), float(hit.height - 1 - inset));
    tryRivet(float(inset), nearestOnRow(hit.y));
    tryRivet(float(hit.width - 1 - inset), nearestOnRow(hit.y));
    return best;
}

// Normal map from a wrapped height field, green towards the image's top.
Image normalsFromHeight(const std::vector<float>& height, int size, float strength) {
    Image image(size, size, 3);
    auto h = [&](int x, int y) {
        return height[size_t((y + size) % size) * size_t(size) + size_t((x + size) % size)];
    };
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            float dx = (h(x + 1, y) - h(x - 1, y)) * 0.5f * strength;
            float dUp = (h(x, y - 1) - h(x, y + 1)) * 0.5f * strength;
            glm::vec3 n = glm::normalize(glm::vec3(-dx, -dUp, 1.0f));
            image.set(x, y, glm::vec4(n * 0.5f + 0.5f, 1.0f));
        }
    }
    return image;
}

} // namespace

Image rustyMetal() {
    Image image(materialSize, materialSize, 3);
    std::vector<float> scratches = scratchMask(materialSize, 50, 0x5C7A7C4ull);
    fillImage(image, [&](glm::vec2 uv, int x, int y) {
        float grain = tiledFbm(uv, 128, 1, 11u);
        float mottle = tiledFbm(uv, 8, 3, 12u);
        glm::vec3 metal = glm::vec3(0.40f, 0.41f, 0.43f) * (0.85f + 0.15f * mottle) + 0.04f * grain;
        float rustField = tiledFbm(uv, 4, 5, 13u) + 0.35f * tiledFbm(uv, 16, 3, 14u);
        float rust = smoothstep(-0.3f, 0.2f, rustField);
        // Rust darkens where it eats into the paint, before it flakes orange.
        float front =
            smoothstep(-0.3f, -0.05f, rustField) * (1.0f - smoothstep(-0.05f, 0.2f, rustField));
        glm::vec3 rustColour = mix3({0.25f, 0.10f, 0.05f}, {0.70f, 0.33f, 0.12f},
                                    0.5f + 0.5f * tiledFbm(uv, 12, 3, 15u));
        rustColour *= 0.75f + 0.4f * (0.5f + 0.5f * tiledFbm(uv, 96, 1, 16u));
        glm::vec3 colour = mix3(metal, rustColour, rust) * (1.0f - 0.35f * front);

        CellSample pit = tiledCells(uv, 32, 17u);
        if (hashToUnit(pit.id) < 0.2f) {
            float edge = pit.nearest + 0.08f * tiledFbm(uv, 64, 2, 18u);
            float depth = 1.0f - smoothstep(0.04f, 0.14f, edge);
            float halo = 1.0f - smoothstep(0.1f, 0.4f, edge);
            colour = mix3(colour, rustColour * 0.7f, halo * 0.7f);
            colour *= 1.0f - 0.5f * depth;
        }
        float scratch = 0.6f * scratches[size_t(y) * materialSize + size_t(x)];
        colour = mix3(colour, glm::vec3(0.7f, 0.69f, 0.67f), scratch * (1.0f - 0.8f * rust));
        return glm::vec4(colour, 1.0f);
    });
    return image;
}

Image brushedMetal() {
    Image image(materialSize, materialSize, 3);
    // Brushing: every row gets its own brightness, blended over a few scales.
    auto rowValue = [](int row, int scale, uint32_t seed) {
        int cells = materialSize / scale;
        float t = float(row % scale) / float(scale);
        float a = hashToUnit(hashCell((row / scale) % cells, 0, 0, seed));
        float b = hashToUnit(hashCell((row / scale + 1) % cells, 0, 0, seed));
        return a + (b - a) * t;
    };
    fillImage(image, [&](glm::vec2 uv, int x, int y) {
        float brush =
            0.5f * rowValue(y, 1, 21u) + 0.3f * rowValue(y, 3, 22u) + 0.2f * rowValue(y, 9, 23u);
        float value = 0.5f + 0.12f * (brush - 0.5f) + 0.05f * tiledFbm(uv, 4, 3, 24u);
        value += 0.03f * tiledFbm(uv, 32, 2, 25u);
        // Four plates, their seams and a screw in each corner.
        const int plate = materialSize / 2, last = plate - 1;
        int px = x % plate, py = y % plate;
        int edge = std::min({px, last - px, py, last - py});
        if (edge == 0) {
            value *= 0.35f;
        } else if (edge == 1) {
            value *= 1.15f;
        }
        float sx = float(std::min(px, last - px)) - 10.0f;
        float sy = float(std::min(py, last - py)) - 10.0f;
        float screw = std::hypot(sx, sy);
        if (screw < 4.0f) {
            bool slot = std::fabs(sx - sy) < 0.8f;
            value = slot ? 0.2f : 0.34f + 0.07f * screw;
        }
        glm::vec3 tint(0.97f, 0.99f, 1.03f);
        return glm::vec4(tint * value, 1.0f);
    });
    return image;
}

HullTextures hullPlates() {
    const int size = materialSize;
    PanelLayout layout(size, 4, 0x4817ull);
    std::vector<float> height(size_t(size) * size_t(size));
    HullTextures textures{Image(size, size, 3), Image(size, size, 3), Image(size, size, 3)};
    fillImage(textures.colour, [&](glm::vec2 uv, int x, int y) {
        PanelLayout::Hit hit = layout.at(x, y);
        uint32_t plateHash = hashCell(hit.panel, 0, 0, 77u);
        float bevel = smoothstep(0.0f, 3.0f, float(hit.edgeDistance));
        float rivet = rivetHeight(hit);
        float grime = 0.5f + 0.5f * tiledFbm(uv, 6, 5, 31u);
        height[size_t(y) * size + size_t(x)] = bevel + 0.6f * rivet;

        glm::vec3 paint = glm::vec3(0.50f, 0.53f, 0.57f) * (0.9f + 0.2f * hashToUnit(plateHash));
        if (plateHash % 9u == 4u) {
            paint = glm::vec3(0.62f, 0.36f, 0.16f); // a few plates in signal orange
        }
        glm::vec3 colour = paint * (0.75f + 0.25f * bevel) * (1.0f - 0.35f * grime * grime);
        colour += glm::vec3(0.03f) * tiledFbm(uv, 128, 2, 32u);
        colour = mix3(colour, glm::vec3(0.72f, 0.74f, 0.76f), 0.7f * rivet);

        float shine = (0.25f + 0.45f * bevel) * (1.0f - 0.6f * grime) + 0.5f * rivet;
        textures.specular.set(x, y, glm::vec4(glm::vec3(shine), 1.0f));
        return glm::vec4(colour, 1.0f);
    });
    textures.normal = normalsFromHeight(height, size, 2.0f);
    return textures;
}

} // namespace assetgen
