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

// True when the face came with all its smaller levels.
bool uploadFace(const std::string& fileName, GLenum target) {
    platform::Image image;
    if (!readTextureImage(fileName, image, "EM ")) {
        glTexImage2D(target, 0, GL_RGB, 0, 0, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
        return false;
    }
    return uploadMipChain(target, image);
}

} // namespace

EnvironmentMap::EnvironmentMap(std::string basePath) {
    glGenTextures(1, &cubeTexture);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cubeTexture);
    bool chained = true;
    for (const CubeFace& face : kFaces) {
        chained = uploadFace(basePath + face.suffix, face.target) && chained;
    }
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_REPEAT);
    if (!chained) {
        glGenerateMipmap(GL_TEXTURE_CUBE_MAP);
    }
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
}

EnvironmentMap::~EnvironmentMap() {
    glDeleteTextures(1, &cubeTexture);
}

} // namespace collection
