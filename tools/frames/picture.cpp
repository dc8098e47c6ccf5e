#include "frames/picture.h"

#include "platform/gl.h"

#include <stb/stb_image.h>
#include <stb/stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace frames {

Picture readFramebuffer(int width, int height) {
    Picture picture{width, height,
                    std::vector<unsigned char>(static_cast<std::size_t>(width) *
                                               static_cast<std::size_t>(height) * 3)};
    std::vector<unsigned char> bottomUp(picture.rgb.size());
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, bottomUp.data());
    const std::size_t row = static_cast<std::size_t>(width) * 3;
    for (int y = 0; y < height; ++y) {
        std::copy_n(bottomUp.begin() + static_cast<std::ptrdiff_t>(row * (height - 1 - y)), row,
                    picture.rgb.begin() + static_cast<std::ptrdiff_t>(row * y));
    }
    return picture;
}

bool writePng(const std::filesystem::path& path, const Picture& picture) {
    return stbi_write_png(path.c_str(), picture.width, picture.height, 3, picture.rgb.data(),
                          picture.width * 3) != 0;
}

std::optional<Picture> readPng(const std::filesystem::path& path) {
    int width = 0;
    int height = 0;
    int channels = 0;
    unsigned char* data = stbi_load(path.c_str(), &width, &height, &channels, 3);
    if (data == nullptr) {
        return std::nullopt;
    }
    Picture picture{
        width, height,
        std::vector<unsigned char>(data, data + static_cast<std::ptrdiff_t>(width) * height * 3)};
    stbi_image_free(data);
    return picture;
}

std::optional<double> psnr(const Picture& a, const Picture& b) {
    if (a.width != b.width || a.height != b.height || a.rgb.size() != b.rgb.size() ||
        a.rgb.empty()) {
        return std::nullopt;
    }
    double squares = 0.0;
    for (std::size_t i = 0; i < a.rgb.size(); ++i) {
        const double d = static_cast<double>(a.rgb[i]) - static_cast<double>(b.rgb[i]);
        squares += d * d;
    }
    if (squares == 0.0) {
        return std::numeric_limits<double>::infinity();
    }
    const double meanSquare = squares / static_cast<double>(a.rgb.size());
    return 10.0 * std::log10(255.0 * 255.0 / meanSquare);
}

} // namespace frames
