#include "render/sprite_texture.h"

#include "collection/image_texture.h"

GLuint loadSpriteTexture(const std::string& path, bool withMipmaps) {
    platform::Image image;
    if (!collection::readTextureImage(path, image, "particle ")) {
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
