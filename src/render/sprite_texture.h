#pragma once

#include "platform/gl.h"
#include "platform/image.h"

#include <string>

// The decoded sprite sheet at path, read from disk only the first time it is
// asked for: every song's particle systems draw with the same few sheets,
// and a restart or the next song must not read them again. A sheet is known
// by the file its path leads to, links followed, so a chart folder's linked
// sprites are the run folder's. Nothing when the file could not be read,
// reported on the error stream as readTextureImage does with the prefix
// "particle "; such a path is tried again next time.
const platform::Image* spriteImage(const std::string& path);

// Loads a sprite sheet into a new linearly filtered 2D texture (with a mip
// chain when asked). A missing or unreadable file gives one transparent
// texel, so whatever draws with it shows nothing.
GLuint loadSpriteTexture(const std::string& path, bool withMipmaps);
