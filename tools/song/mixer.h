#pragma once

#include "score.h"
#include "stereo_buffer.h"

namespace songgen {

// Loudest sample of the finished mix: -3 dBFS, since MP3 encoding lifts the
// peaks of a dense mix by a decibel or two.
constexpr float mixCeiling = 0.71f;

// Plays every note of the score into stems, adds the effects and the pumping,
// and limits the sum below full scale.
StereoBuffer renderMix(const Score& score, int64_t frames);

} // namespace songgen
