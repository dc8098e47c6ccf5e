// stb's PNG writer, compiled once for the generators.
#include "assets/icon.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

namespace assetgen {

std::string encodePng(const Image& image) {
    std::string bytes;
    auto append = [](void* target, void* data, int size) {
        static_cast<std::string*>(target)->append(static_cast<const char*>(data),
                                                  static_cast<std::size_t>(size));
    };
    stbi_write_png_to_func(append, &bytes, image.width, image.height, image.channels,
                           image.pixels.data(), image.width * image.channels);
    return bytes;
}

} // namespace assetgen
