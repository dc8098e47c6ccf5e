#pragma once

#include <cstdint>
#include <functional>
#include <glm/vec2.hpp>
#include <glm/vec4.hpp>
#include <string>
#include <vector>

namespace assetgen {

// 8-bit RGB or RGBA pixels, row 0 at the top: the order the game's texture
// reader hands to the GL, so texture coordinate v = 0 is the image's top row.
struct Image {
    Image(int width, int height, int channels);

    void set(int x, int y, glm::vec4 rgba); // components 0..1, clamped and rounded

    int width;
    int height;
    int channels; // 3 or 4
    std::vector<uint8_t> pixels;
};

// Calls shade(uv, x, y) for every pixel; uv is the pixel centre in [0, 1).
void fillImage(Image& image, const std::function<glm::vec4(glm::vec2 uv, int x, int y)>& shade);

// Uncompressed true-colour TGA (24 or 32 bits) with the top-left origin flag.
std::string encodeTga(const Image& image);

} // namespace assetgen
