#pragma once

#include "platform/gl.h"
#include "platform/image.h"

namespace collection {

// A new 2D texture holding the image, with the given filters, left bound to
// GL_TEXTURE_2D for the caller's further settings. Every image texture of the
// game goes through here, so none depends on the unpack state another loader
// happened to leave behind.
GLuint createImageTexture(const platform::Image& image, GLint minFilter, GLint magFilter);

} // namespace collection
