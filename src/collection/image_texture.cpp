#include "collection/image_texture.h"

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
    // RGB rows of odd widths are not 4-byte aligned; GL's default comes back
    // afterwards for everything else that uploads pixels.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(image.format), image.width, image.height, 0,
                 image.format, GL_UNSIGNED_BYTE, image.pixels.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minFilter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, magFilter);
    return texture;
}

} // namespace collection
