#pragma once

#include <cstdint>
#include <span>

namespace platform {

// Whether a TGA file holds every byte its header asks the decoder to read:
// the identification field, the colour map and all pixels, RLE packets
// walked one by one. The decoder itself reads zeros past the end, which
// would hand a cut file back as a picture with a black part.
bool tgaFileComplete(std::span<const std::uint8_t> file);

} // namespace platform
