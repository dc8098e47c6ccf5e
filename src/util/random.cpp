#include "util/random.h"

namespace util {
namespace {

// A linear congruential generator; unsigned arithmetic wraps modulo 2^32.
constexpr std::uint32_t kInitialState = 1u;
constexpr std::uint32_t kMultiplier = 214013u;
constexpr std::uint32_t kIncrement = 2531011u;

std::uint32_t state = kInitialState;

} // namespace

int gameRandom() {
    state = state * kMultiplier + kIncrement;
    return static_cast<int>((state >> 16) & kGameRandomMax);
}

void resetGameRandom() {
    state = kInitialState;
}

} // namespace util
