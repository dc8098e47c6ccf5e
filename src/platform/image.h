#pragma once

#include "platform/gl.h"

#include <cstdint>
#include <span>
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

// Why an image could not be used.
enum class ImageFault {
    none,
    missing,     // the file cannot be opened or read
    notTga,      // not a kind of TGA image the game reads
    tooLarge,    // a side beyond kMaxImageSide
    truncated,   // the file ends before its pixels do
    undecodable, // the decoder refused the data (an empty colour map, say)
};

// A few words for the error line, e.g. "cut short".
const char* describe(ImageFault fault);

// Decodes a TGA file held in memory (grey images come back as RGB, grey with
// alpha as RGBA). image is left as it was unless the result is none.
ImageFault decodeImage(std::span<const std::uint8_t> file, Image& image);

// As above from a file.
ImageFault readImage(const std::string& path, Image& image);

} // namespace platform
