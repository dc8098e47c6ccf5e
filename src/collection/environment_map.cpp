#include "collection/environment_map.h"

#include "collection/image_texture.h"

namespace collection {
namespace {

struct CubeFace {
    const char* suffix;
    GLenum target;
};

constexpr CubeFace kFaces[] = {
    {"_right.tga", GL_TEXTURE_CUBE_MAP_POSITIVE_X}, {"_left.tga", GL_TEXTURE_CUBE_MAP_NEGATIVE_X},
    {"_top.tga", GL_TEXTURE_CUBE_MAP_POSITIVE_Y},   {"_bottom.tga", GL_TEXTURE_CUBE_MAP_NEGATIVE_Y},
    {"_front.tga", GL_TEXTURE_CUBE_MAP_POSITIVE_Z}, {"_back.tga", GL_TEXTURE_CUBE_MAP_NEGATIVE_Z},
};

void uploadFace(const std::string& fileName, GLenum target) {
    platform::Image image;
    if (!readTextureImage(fileName, image, "EM ")) {
        glTexImage2D(target, 0, GL_RGB, 0, 0, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
        return;
    }
    glTexImage2D(target, 0, static_cast<GLint>(image.format), image.width, image.height, 0,
                 image.format, GL_UNSIGNED_BYTE, image.pixels.data());
}

} // namespace

EnvironmentMap::EnvironmentMap(std::string basePath) {
    glGenTextures(1, &cubeTexture);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cubeTexture);
    // RGB rows of odd widths are not 4-byte aligned; GL's default comes back
    // afterwards for everything else that uploads pixels.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (const CubeFace& face : kFaces) {
        uploadFace(basePath + face.suffix, face.target);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glGenerateMipmap(GL_TEXTURE_CUBE_MAP);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
}

} // namespace collection
