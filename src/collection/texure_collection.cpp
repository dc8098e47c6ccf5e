#include "collection/texure_collection.h"

#include "collection/image_texture.h"
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
    // Optional levels are looked for on every model; only a base texture is
    // missed out loud.
    if (!readTextureImage(path, image, " ", level != 0)) {
        return notLoaded;
    }
    std::cout << path << " loaded." << std::endl;
    const GLuint texture = createImageTexture(image, GL_LINEAR, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    textures[key] = texture;
    return texture;
}

} // namespace collection
