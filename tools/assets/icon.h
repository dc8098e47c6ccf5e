#pragma once

#include "assets/image.h"

#include <string>
#include <vector>

namespace assetgen {

// The game's icon, `size` pixels square with alpha: a rusty cue caught in the
// crosshair at the end of a glowing flight path, on a rounded square of deep
// space. Drawn from shapes, not scaled, so every size is sharp.
Image gameIcon(int size);

// The sizes the desktop's icon theme gets, in pixels.
inline const std::vector<int> kIconSizes = {48, 128, 256};

// PNG bytes of an image (what icon themes read).
std::string encodePng(const Image& image);

} // namespace assetgen
