#include "model/light_looks.h"

#include <algorithm>
#include <array>
#include <iterator>

namespace model {
namespace {

// The modes the world program draws differently; 0 stands for all others.
constexpr std::array<int, kLightLookCount / 2> kLookModes{0, 4, 5, 6, 7, 8};
// The looks of a cue that is announced, in its window, or missed.
constexpr int kFirstCueOnlyMode = 6;

} // namespace

int lightLookKey(int drawMode, bool normalMap) {
    const auto* found = std::find(kLookModes.begin() + 1, kLookModes.end(), drawMode);
    const auto look = found == kLookModes.end() ? 0 : std::distance(kLookModes.begin(), found);
    return static_cast<int>(look) * 2 + (normalMap ? 1 : 0);
}

std::string lightLookDefines(int key) {
    const int mode = kLookModes.at(static_cast<std::size_t>(key / 2));
    return "#define LOOK " + std::to_string(mode) + "\n" +
           (key % 2 == 1 ? std::string() : std::string("#define NO_NORMAL_MAP\n"));
}

bool lightLookDrawn(int key) {
    return kLookModes.at(static_cast<std::size_t>(key / 2)) < kFirstCueOnlyMode;
}

} // namespace model
