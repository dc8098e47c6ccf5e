#include "render/sprite_texture.h"

#include "collection/image_texture.h"

#include <filesystem>
#include <map>

namespace {

// The sheets read so far, kept for the whole run: a handful of images.
std::map<std::string, platform::Image>& readSheets() {
    static std::map<std::string, platform::Image> sheets;
    return sheets;
}

// The file itself, whichever folder names it: a chart folder's sprites are
// links to the run folder's, and one sheet is kept once however many songs
// are played.
std::string sheetKey(const std::string& path) {
    std::error_code failed;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, failed);
    return failed ? path : resolved.string();
}

} // namespace

const platform::Image* spriteImage(const std::string& path) {
    std::map<std::string, platform::Image>& sheets = readSheets();
    const std::string key = sheetKey(path);
    if (const auto known = sheets.find(key); known != sheets.end()) {
        return &known->second;
    }
    platform::Image image;
    if (!collection::readTextureImage(path, image, "particle ")) {
        return nullptr;
    }
    return &sheets.emplace(key, std::move(image)).first->second;
}

GLuint loadSpriteTexture(const std::string& path, bool withMipmaps) {
    static const platform::Image kTransparentTexel{1, 1, GL_RGBA, {0, 0, 0, 0}};
    const platform::Image* sheet = spriteImage(path);
    const GLuint texture = collection::createImageTexture(
        sheet != nullptr ? *sheet : kTransparentTexel,
        withMipmaps ? GL_LINEAR_MIPMAP_LINEAR : GL_LINEAR, GL_LINEAR);
    if (withMipmaps) {
        glGenerateMipmap(GL_TEXTURE_2D);
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    return texture;
}
