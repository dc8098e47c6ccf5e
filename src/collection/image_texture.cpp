#include "collection/image_texture.h"

#include <algorithm>
#include <iostream>

namespace collection {

bool readTextureImage(const std::string& path, platform::Image& image, const char* prefix,
                      bool missingIsQuiet) {
    const platform::ImageFault fault = platform::readImage(path, image);
    if (fault == platform::ImageFault::missing) {
        if (!missingIsQuiet) {
            std::cerr << prefix << "tex file not found at: " << path << std::endl;
        }
    } else if (fault != platform::ImageFault::none) {
        std::cerr << prefix << "tex file unusable at: " << path << " (" << platform::describe(fault)
                  << ")" << std::endl;
    }
    return fault == platform::ImageFault::none;
}

GLuint createImageTexture(const platform::Image& image, GLint minFilter, GLint magFilter) {
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    uploadLevel(GL_TEXTURE_2D, image, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    return texture;
}

platform::Image halvedImage(const platform::Image& image) {
    const int channels = image.format == GL_RGBA ? 4 : 3;
    platform::Image half;
    half.format = image.format;
    half.width = std::max(image.width / 2, 1);
    half.height = std::max(image.height / 2, 1);
    half.pixels.resize(static_cast<std::size_t>(half.width) * half.height * channels);
    // Along a side already at one the second row or column is the first.
    const int stepX = image.width > 1 ? channels : 0;
    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * channels;
    const std::size_t stepY = image.height > 1 ? rowBytes : 0;
    unsigned char* out = half.pixels.data();
    for (int y = 0; y < half.height; ++y) {
        const unsigned char* row = image.pixels.data() + 2 * static_cast<std::size_t>(y) * rowBytes;
        for (int x = 0; x < half.width; ++x) {
            const unsigned char* texel = row + 2 * static_cast<std::size_t>(x) * channels;
            for (int c = 0; c < channels; ++c) {
                const int sum =
                    texel[c] + texel[c + stepX] + texel[c + stepY] + texel[c + stepX + stepY];
                *out++ = static_cast<unsigned char>((sum + 2) / 4);
            }
        }
    }
    return half;
}

void uploadLevel(GLenum target, const platform::Image& image, GLint level) {
    // RGB rows of odd widths are not 4-byte aligned; GL's default comes back
    // afterwards for everything else that uploads pixels.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(target, level, static_cast<GLint>(image.format), image.width, image.height, 0,
                 image.format, GL_UNSIGNED_BYTE, image.pixels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
}

bool uploadMipChain(GLenum target, const platform::Image& image) {
    uploadLevel(target, image, 0);
    const auto powerOfTwo = [](int side) { return side > 0 && (side & (side - 1)) == 0; };
    if (!powerOfTwo(image.width) || !powerOfTwo(image.height)) {
        return false;
    }
    platform::Image level = image;
    for (GLint number = 1; level.width > 1 || level.height > 1; ++number) {
        level = halvedImage(level);
        uploadLevel(target, level, number);
    }
    return true;
}

} // namespace collection
