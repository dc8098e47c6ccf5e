#pragma once

#include "platform/gl.h"

#include <string>

// Loads a sprite image into a new linearly filtered 2D texture (with a mip
// chain when asked). A missing or unreadable file is reported on the error
// stream as "particle tex file not found at: " + path and gives one
// transparent texel, so whatever draws with it shows nothing.
GLuint loadSpriteTexture(const std::string& path, bool withMipmaps);

// The mipmapped sprite texture of a file, loaded by the first caller and
// handed to every later one: the particle systems of one kind draw the same
// sheet. Kept until the process ends, as the systems are. A file that cannot
// be read is not kept, so every caller reports it and gets its own texel.
GLuint sharedSpriteTexture(const std::string& path);
