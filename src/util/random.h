#pragma once

#include <cstdint>

namespace util {

// The game's one random sequence. Every run draws the same values in the same
// order, so the particles, the cue jitter and the debris come out alike each
// time; the C library's rand() is not used because its sequence differs from
// one platform to the next.
constexpr int kGameRandomMax = 0x7FFF;

// Next value of the sequence, 0 to kGameRandomMax.
int gameRandom();

// Starts the sequence again from its first value (tests start fresh with it).
void resetGameRandom();

} // namespace util
