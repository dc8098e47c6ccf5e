#include "render/sprite_texture.h"

#include "collection/image_texture.h"
#include "platform/image.h"

#include <iostream>

GLuint loadSpriteTexture(const std::string& path, bool withMipmaps) {
    platform::Image image;
    if (!platform::readImage(path, image)) {
        std::cerr << "particle tex file not found at: " << path << std::endl;
        image = platform::Image{1, 1, GL_RGBA, {0, 0, 0, 0}};
    }
    const GLuint texture = collection::createImageTexture(
        image, withMipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR, GL_LINEAR);
    if (withMipmaps) {
        glGenerateMipmap(GL_TEXTURE_2D);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}
