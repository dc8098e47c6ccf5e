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
// game goes through here or uploadMipChain, so none depends on the unpack
// state another loader happened to leave behind.
GLuint createImageTexture(const platform::Image& image, GLint minFilter, GLint magFilter);

// Uploads the image as the given level of the target (a 2D texture or a
// cube face).
void uploadLevel(GLenum target, const platform::Image& image, GLint level);

// The next smaller level of a mip chain: every texel the mean of the two by
// two (or two by one, along a side already at one) it covers, rounded.
// Sides must be powers of two.
platform::Image halvedImage(const platform::Image& image);

// Uploads the image as level 0 of the target (a 2D texture or a cube face)
// and, where its sides are powers of two, every smaller level made on the
// CPU; false when the smaller levels are left to glGenerateMipmap. A
// software renderer builds a shader to make mipmaps, anew for every kind of
// texture: for the cube map that cost more at start-up than the averaging.
// The cube map's levels come out all but equal to the GL's own; a 2D
// texture's differ more (its bilinear reads), so those stay with the GL.
bool uploadMipChain(GLenum target, const platform::Image& image);

} // namespace collection
