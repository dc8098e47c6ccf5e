#pragma once

#include <vector>

namespace songgen {

// The hit the game plays on every cue: a bright A minor chord that snaps and
// dies within a third of a second, in key with the song.
std::vector<float> renderStab();

// A short, dry tick for the interface.
std::vector<float> renderClick();

} // namespace songgen
