#include "util/color_counter.h"

namespace util {

ColorCounter::Color ColorCounter::next() {
    // Each byte carries into the next when it wraps from 255 to 0.
    for (std::uint8_t& component : color) {
        ++component;
        if (component != 0) {
            break;
        }
    }
    return color;
}

} // namespace util
