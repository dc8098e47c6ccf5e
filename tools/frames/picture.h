#pragma once

#include <filesystem>
#include <optional>
#include <vector>

namespace frames {

// An RGB picture, rows from the top.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;
};

// The bound frame buffer's colours at the given size.
Picture readFramebuffer(int width, int height);

bool writePng(const std::filesystem::path& path, const Picture& picture);
std::optional<Picture> readPng(const std::filesystem::path& path);

// Peak signal-to-noise ratio over every channel in dB; infinity for equal
// pictures, nothing for pictures of different sizes.
std::optional<double> psnr(const Picture& a, const Picture& b);

} // namespace frames
