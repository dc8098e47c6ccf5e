#pragma once

#include "util/singleton.h"

#include <array>
#include <cstdint>

namespace util {

// Hands out the unique picking colours of the hittable nodes. (0,0,0) is the
// colour of every model no hittable node wraps and (1,0,0) is the start
// value, so neither is ever handed out on the way up.
class ColorCounter : public Singleton<ColorCounter> {
public:
    using Color = std::array<std::uint8_t, 3>;

    // Advances by one, red fastest, and returns the new colour.
    Color next();
    Color current() const { return color; }

private:
    friend class Singleton<ColorCounter>;
    ColorCounter() = default;

    Color color{1, 0, 0}; // the last colour handed out
};

} // namespace util
