#pragma once

#include "platform/gl.h"
#include "platform/image.h"

#include <string>

namespace collection {

// Reads a texture's image and reports why it could not on the error stream:
// "<prefix>tex file not found at: <path>" for a missing file (unless
// missingIsQuiet), "<prefix>tex file unusable at: <path> (<reason>)" for a
// file that is there but broken, so a damaged file is never passed off as
// an absent one. True when the image was read.
bool readTextureImage(const std::string& path, platform::Image& image, const char* prefix,
                      bool missingIsQuiet = false);

// A new 2D texture holding the image, with the given filters, left bound to
// GL_TEXTURE_2D for the caller's further settings. Every image texture of the
// game goes through here, so none depends on the unpack state another loader
// happened to leave behind.
GLuint createImageTexture(const platform::Image& image, GLint minFilter, GLint magFilter);

} // namespace collection
