#pragma once

namespace model {

// Sets the filters of the texture bound to GL_TEXTURE_2D for a pair of the
// root's modes (filter 1 nearest, else bilinear; mipmap 10 off, 11 nearest,
// else linear), making its mipmaps when the chosen filter reads them.
void applyTextureModes(int filterMode, int mipmapMode);

} // namespace model
