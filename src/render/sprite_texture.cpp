#include "render/sprite_texture.h"

#include "collection/image_texture.h"

#include <filesystem>
#include <map>
#include <tuple>

namespace {

// The texture of a read image, or of one transparent texel when there is none.
GLuint createSpriteTexture(const platform::Image* image, bool withMipmaps) {
    const platform::Image blank{1, 1, GL_RGBA, {0, 0, 0, 0}};
    const GLuint texture = collection::createImageTexture(
        image != nullptr ? *image : blank, withMipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR,
        GL_LINEAR);
    if (withMipmaps) {
        glGenerateMipmap(GL_TEXTURE_2D);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}

// Which file, as it is now: a file written anew at the same place is loaded
// anew.
using SpriteKey =
    std::tuple<std::filesystem::path, std::filesystem::file_time_type, std::uintmax_t>;

bool keyOf(const std::string& path, SpriteKey& key) {
    std::error_code error;
    const std::filesystem::path where = std::filesystem::absolute(path, error);
    const auto written = std::filesystem::last_write_time(where, error);
    if (error) {
        return false;
    }
    const std::uintmax_t size = std::filesystem::file_size(where, error);
    key = {where, written, size};
    return !error;
}

} // namespace

GLuint loadSpriteTexture(const std::string& path, bool withMipmaps) {
    platform::Image image;
    const bool read = collection::readTextureImage(path, image, "particle ");
    return createSpriteTexture(read ? &image : nullptr, withMipmaps);
}

GLuint sharedSpriteTexture(const std::string& path) {
    static std::map<SpriteKey, GLuint> loaded;
    SpriteKey key;
    if (!keyOf(path, key)) {
        return loadSpriteTexture(path, true); // missing: reported by the reading
    }
    const auto found = loaded.find(key);
    if (found != loaded.end()) {
        return found->second;
    }
    platform::Image image;
    if (!collection::readTextureImage(path, image, "particle ")) {
        return createSpriteTexture(nullptr, true);
    }
    const GLuint texture = createSpriteTexture(&image, true);
    loaded.emplace(key, texture);
    return texture;
}
