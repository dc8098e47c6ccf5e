#include "model/texture_modes.h"

#include "platform/gl.h"
#include "scenegraph/root_node.h"

namespace model {
namespace {

GLint minifyingFilter(bool nearest, int mipmapMode) {
    switch (mipmapMode) {
    case scenegraph::MIPMAP_OFF:
        return nearest ? GL_NEAREST : GL_LINEAR;
    case scenegraph::MIPMAP_NEAREST:
        return nearest ? GL_NEAREST_MIPMAP_NEAREST : GL_LINEAR_MIPMAP_NEAREST;
    default:
        return nearest ? GL_NEAREST_MIPMAP_LINEAR : GL_LINEAR_MIPMAP_LINEAR;
    }
}

} // namespace

void applyTextureModes(int filterMode, int mipmapMode) {
    const bool nearest = filterMode == scenegraph::FILTER_NEAREST;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, minifyingFilter(nearest, mipmapMode));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, nearest ? GL_NEAREST : GL_LINEAR);
    if (mipmapMode != scenegraph::MIPMAP_OFF) {
        glGenerateMipmap(GL_TEXTURE_2D);
    }
}

} // namespace model
