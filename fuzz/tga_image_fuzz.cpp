// Feeds arbitrary bytes to the image reader as if they were a TGA texture:
// our guards (size, completeness) in front of the decoder, then the decoder.
// A decoded image must hold exactly the pixels its size says.

#include "fuzz_support.h"
#include "platform/image.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    platform::Image image;
    if (platform::decodeImage({data, size}, image) != platform::ImageFault::none) {
        fuzzsupport::require(image.pixels.empty(), "a refused image left pixels behind");
        return 0;
    }
    const std::size_t channels = image.format == GL_RGBA ? 4 : 3;
    fuzzsupport::require(image.width >= 1 && image.height >= 1 &&
                             image.width <= platform::kMaxImageSide &&
                             image.height <= platform::kMaxImageSide,
                         "image side out of range");
    fuzzsupport::require(image.pixels.size() ==
                             static_cast<std::size_t>(image.width) * image.height * channels,
                         "pixel count differs from the size");
    return 0;
}
