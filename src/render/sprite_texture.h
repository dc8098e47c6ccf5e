#pragma once

#include "platform/gl.h"

#include <string>

// Loads a sprite image into a new linearly filtered 2D texture (with a mip
// chain when asked). A missing or unreadable file is reported on the error
// stream as "particle tex file not found at: " + path and gives one
// transparent texel, so whatever draws with it shows nothing.
GLuint loadSpriteTexture(const std::string& path, bool withMipmaps);
