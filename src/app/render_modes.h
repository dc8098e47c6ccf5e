#pragma once

#include <optional>
#include <string>

// A render mode after a key press, with the message that names it.
struct ModeChange {
    int mode;
    const char* text;
};

// Texture filtering: 1 nearest neighbour, 2 bilinear.
ModeChange nextTextureFilterMode(int mode);
// Mip-mapping: 10 off, 11 nearest neighbour, 12 linear interpolation.
ModeChange nextMipmapMode(int mode);
// View culling: 20 none, 21 to 24 the level (and scene graph) on Z or frustum.
ModeChange nextCullingMode(int mode);

// The camera the C key selects after the named one; nothing for a camera
// outside the three-camera round.
std::optional<std::string> nextCameraName(const std::string& current);
