#pragma once

#include "app/render_flags.h"

#include <string>
#include <vector>

namespace frames {

// A set of render switches as a player makes it: the flags, then at most
// one key pressed on top (F3, F9), which also changes GL state.
struct SwitchSet {
    std::string name;
    RenderFlags flags;
    int key = 0;
};

// One moment of the song and the switch sets drawn there.
struct Moment {
    unsigned int positionMs;
    std::vector<SwitchSet> sets;
};

// The moments in song order; every position is a multiple of the step.
std::vector<Moment> chosenMoments();

// "0055s_bloom.png": the file of one shot.
std::string shotFileName(const Moment& moment, const SwitchSet& set);

} // namespace frames
