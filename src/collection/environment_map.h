#pragma once

#include "platform/gl.h"

#include <string>

namespace collection {

// The space background as one cube-map texture, read from six TGA faces
// base + "_right.tga", "_left.tga", "_top.tga", "_bottom.tga", "_front.tga",
// "_back.tga". Made once after the window opens; kept for the whole run and
// deleted with it, while the context still stands.
class EnvironmentMap {
public:
    explicit EnvironmentMap(std::string basePath);
    ~EnvironmentMap();
    EnvironmentMap(const EnvironmentMap&) = delete;
    EnvironmentMap& operator=(const EnvironmentMap&) = delete;

    GLuint getCubeTexture() const { return cubeTexture; }

private:
    GLuint cubeTexture = 0; // the cube-map texture the "light" program reflects
};

} // namespace collection
