#include "assets/image.h"

#include <algorithm>
#include <cmath>

namespace assetgen {
namespace {

uint8_t toByte(float value) {
    return uint8_t(std::lround(std::clamp(value, 0.0f, 1.0f) * 255.0f));
}

void putLittleEndian16(std::string& out, int value) {
    out.push_back(char(value & 0xFF));
    out.push_back(char((value >> 8) & 0xFF));
}

} // namespace

Image::Image(int width, int height, int channels)
    : width(width), height(height), channels(channels),
      pixels(size_t(width) * size_t(height) * size_t(channels), 0) {}

void Image::set(int x, int y, glm::vec4 rgba) {
    uint8_t* p = &pixels[(size_t(y) * size_t(width) + size_t(x)) * size_t(channels)];
    for (int c = 0; c < channels; ++c) {
        p[c] = toByte(rgba[c]);
    }
}

void fillImage(Image& image, const std::function<glm::vec4(glm::vec2 uv, int x, int y)>& shade) {
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            glm::vec2 uv((float(x) + 0.5f) / float(image.width),
                         (float(y) + 0.5f) / float(image.height));
            image.set(x, y, shade(uv, x, y));
        }
    }
}

std::string encodeTga(const Image& image) {
    const uint8_t topLeftOrigin = 0x20;
    const uint8_t alphaBits = image.channels == 4 ? 8 : 0;
    std::string out;
    out.reserve(18 + image.pixels.size());
    out.push_back(0); // no image id
    out.push_back(0); // no colour map
    out.push_back(2); // uncompressed true colour
    out.append(5, '\0');
    putLittleEndian16(out, 0); // x origin
    putLittleEndian16(out, 0); // y origin
    putLittleEndian16(out, image.width);
    putLittleEndian16(out, image.height);
    out.push_back(char(image.channels * 8));
    out.push_back(char(alphaBits | topLeftOrigin));
    for (size_t i = 0; i < image.pixels.size(); i += size_t(image.channels)) {
        out.push_back(char(image.pixels[i + 2])); // TGA stores blue, green, red(, alpha)
        out.push_back(char(image.pixels[i + 1]));
        out.push_back(char(image.pixels[i]));
        if (image.channels == 4) {
            out.push_back(char(image.pixels[i + 3]));
        }
    }
    return out;
}

} // namespace assetgen
