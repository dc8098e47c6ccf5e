#pragma once

#include <cstdint>
#include <vector>

#include "stereo_buffer.h"

namespace songgen {

// A small room (parallel combs into allpasses) that gives pads and lead their
// space; returns only the wet signal.
StereoBuffer reverb(const StereoBuffer& dry, float roomSize, float damping);

// Echoes bouncing between left and right, each `delaySamples` after the last.
void pingPongDelay(StereoBuffer& signal, int64_t delaySamples, float feedback, float mix);

// Ducks a stem after every kick, the pumping of the drops.
void sidechain(StereoBuffer& signal, const std::vector<int64_t>& kicks, float depth,
               float recoverSeconds);

// Keeps every sample at or below `ceiling` with a 2 ms look-ahead, so peaks are
// turned down smoothly instead of clipped, and nothing is shifted in time.
void limit(StereoBuffer& signal, float ceiling, float releaseSeconds);

} // namespace songgen
