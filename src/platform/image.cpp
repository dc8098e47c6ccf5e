#include "platform/image.h"

#include "platform/tga_extent.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <memory>

namespace platform {
namespace {

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

// Bit 4 of the descriptor byte: pixels stored right to left. The decoder
// heeds the row order bit only, so such a file would come out mirrored.
constexpr std::size_t kDescriptorByte = 17;
constexpr std::uint8_t kRightToLeftBit = 0x10;

void mirrorRows(Image& image, int channels) {
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * channels;
    for (std::size_t row = 0; row < static_cast<std::size_t>(image.height); ++row) {
        unsigned char* left = image.pixels.data() + row * rowBytes;
        unsigned char* right = left + rowBytes - channels;
        for (; left < right; left += channels, right -= channels) {
            std::swap_ranges(left, left + channels, right);
        }
    }
}

} // namespace

const char* describe(ImageFault fault) {
    switch (fault) {
    case ImageFault::none:
        return "fine";
    case ImageFault::missing:
        return "cannot be read";
    case ImageFault::notTga:
        return "not a TGA image the game reads";
    case ImageFault::tooLarge:
        return "larger than any texture the game uses";
    case ImageFault::truncated:
        return "cut short";
    case ImageFault::undecodable:
        return "broken image data";
    }
    return "broken image data";
}

ImageFault decodeImage(std::span<const std::uint8_t> file, Image& image) {
    if (file.empty()) {
        return ImageFault::truncated;
    }
    if (file.size() > INT_MAX) {
        return ImageFault::tooLarge;
    }
    const auto* bytes = reinterpret_cast<const stbi_uc*>(file.data());
    const int length = static_cast<int>(file.size());
    int width = 0;
    int height = 0;
    int channels = 0;
    // The header alone tells the size, so a file that claims a huge image is
    // refused before anything is allocated for it.
    if (stbi_info_from_memory(bytes, length, &width, &height, &channels) == 0) {
        return ImageFault::notTga;
    }
    if (width > kMaxImageSide || height > kMaxImageSide) {
        return ImageFault::tooLarge;
    }
    if (!tgaFileComplete(file)) {
        return ImageFault::truncated;
    }
    // Grey has no core-profile format; alpha (grey or colour) keeps its channel.
    const int wanted = (channels == 2 || channels == 4) ? 4 : 3;
    stbi_set_flip_vertically_on_load(0);
    std::unique_ptr<stbi_uc, StbFree> pixels(
        stbi_load_from_memory(bytes, length, &width, &height, &channels, wanted));
    if (!pixels) {
        return ImageFault::undecodable;
    }
    const std::size_t size = static_cast<std::size_t>(width) * height * wanted;
    image.width = width;
    image.height = height;
    image.format = wanted == 4 ? GL_RGBA : GL_RGB;
    image.pixels.assign(pixels.get(), pixels.get() + size);
    if ((file[kDescriptorByte] & kRightToLeftBit) != 0) {
        mirrorRows(image, wanted);
    }
    return ImageFault::none;
}

ImageFault readImage(const std::string& path, Image& image) {
    std::ifstream in(path, std::ios::binary);
    if (!in.is_open()) {
        return ImageFault::missing;
    }
    // Read in one piece at its known size: growing a buffer byte by byte
    // took longer than decoding and left holes in the heap the size of every
    // texture. What has no size (a folder) reads as empty, as it did before.
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::vector<std::uint8_t> file(error ? 0 : static_cast<std::size_t>(size));
    in.read(reinterpret_cast<char*>(file.data()), static_cast<std::streamsize>(file.size()));
    file.resize(static_cast<std::size_t>(in.gcount()));
    return decodeImage(file, image);
}

} // namespace platform
