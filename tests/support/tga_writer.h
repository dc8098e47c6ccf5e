#pragma once

// Header only: test folders compile just their *_test.cpp files.
// Our own minimal TGA writer, so tests control every header byte (orientation
// flag included) instead of trusting an outside tool to set them.

#include <cstdint>
#include <string>
#include <vector>

namespace testfiles {

// The 18-byte header of an uncompressed true-colour TGA of the given size,
// with no pixels after it; rows stored top first or bottom first.
inline std::string tgaHeaderOnly(int width, int height, int channels = 3, bool topFirst = true) {
    std::string file(18, '\0');
    file[2] = 2; // uncompressed true colour
    file[12] = static_cast<char>(width & 0xff);
    file[13] = static_cast<char>(width >> 8);
    file[14] = static_cast<char>(height & 0xff);
    file[15] = static_cast<char>(height >> 8);
    file[16] = static_cast<char>(channels * 8);
    file[17] = static_cast<char>((channels == 4 ? 8 : 0) | (topFirst ? 0x20 : 0));
    return file;
}

// Uncompressed true-colour TGA. pixels are RGB or RGBA (channels 3 or 4),
// rows top first; topFirst chooses how the file stores them.
inline std::string tgaImage(int width, int height, int channels,
                            const std::vector<std::uint8_t>& pixels, bool topFirst = true) {
    std::string file = tgaHeaderOnly(width, height, channels, topFirst);
    for (int i = 0; i < height; ++i) {
        const int row = topFirst ? i : height - 1 - i;
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* p = &pixels[(static_cast<std::size_t>(row) * width + x) * channels];
            file += static_cast<char>(p[2]); // stored as BGR(A)
            file += static_cast<char>(p[1]);
            file += static_cast<char>(p[0]);
            if (channels == 4) {
                file += static_cast<char>(p[3]);
            }
        }
    }
    return file;
}

} // namespace testfiles
