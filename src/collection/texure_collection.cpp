#include "collection/texure_collection.h"

#include "platform/image.h"

#include <iostream>

namespace collection {

GLuint TexureCollection::load(std::string path, int variant, int level) {
    const std::string key = path + std::to_string(variant);
    auto found = textures.find(key);
    if (found != textures.end()) {
        return found->second;
    }
    platform::Image image;
    if (!platform::readImage(path, image)) {
        if (level == 0) {
            std::cerr << " tex file not found at: " << path << std::endl;
        }
        return notLoaded;
    }
    std::cout << path << " loaded." << std::endl;
    GLuint texture = 0;
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    // RGB rows of odd widths are not 4-byte aligned.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glTexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(image.format), image.width, image.height, 0,
                 image.format, GL_UNSIGNED_BYTE, image.pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    textures[key] = texture;
    return texture;
}

} // namespace collection
