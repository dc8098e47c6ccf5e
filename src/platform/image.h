#pragma once

#include "platform/gl.h"

#include <string>
#include <vector>

namespace platform {

// A decoded image as the texture loaders upload it: 8 bits per channel, the
// first row at the top, format GL_RGB or GL_RGBA (used as both the internal
// and the external format).
struct Image {
    int width = 0;
    int height = 0;
    GLenum format = GL_RGB;
    std::vector<unsigned char> pixels; // width * height * channels bytes, rows top first
};

// Sides above this are refused before decoding: no texture of the game is
// near it, and width * height * 4 stays far from any size limit.
constexpr int kMaxImageSide = 16384;

// Reads a TGA file (grey images come back as RGB, grey with alpha as RGBA).
// Returns false when the file is missing, undecodable or absurdly large.
bool readImage(const std::string& path, Image& image);

} // namespace platform
