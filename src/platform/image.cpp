#include "platform/image.h"

#include <stb/stb_image.h>

#include <memory>

namespace platform {
namespace {

struct StbFree {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};

} // namespace

bool readImage(const std::string& path, Image& image) {
    int width = 0;
    int height = 0;
    int channels = 0;
    // The header alone tells the size, so a file that claims a huge image is
    // refused before anything is allocated for it.
    if (stbi_info(path.c_str(), &width, &height, &channels) == 0) {
        return false;
    }
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide) {
        return false;
    }
    // Grey has no core-profile format; alpha (grey or colour) keeps its channel.
    const int wanted = (channels == 2 || channels == 4) ? 4 : 3;
    stbi_set_flip_vertically_on_load(0);
    std::unique_ptr<stbi_uc, StbFree> pixels(
        stbi_load(path.c_str(), &width, &height, &channels, wanted));
    if (!pixels) {
        return false;
    }
    const std::size_t size = static_cast<std::size_t>(width) * height * wanted;
    image.width = width;
    image.height = height;
    image.format = wanted == 4 ? GL_RGBA : GL_RGB;
    image.pixels.assign(pixels.get(), pixels.get() + size);
    return true;
}

} // namespace platform
