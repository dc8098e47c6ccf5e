#pragma once

// Work the player does not wait on (walking the music folders, hashing
// songs) runs on threads that give way to the frame: on a machine whose
// drawing takes every core, an equal share would stretch the frames.

namespace platform {

// The niceness background threads run at: the lowest priority there is.
constexpr int kBackgroundNiceness = 19;

// Lowers the calling thread alone to kBackgroundNiceness; the rest of the
// process keeps its priority. False when the system refused.
bool runThisThreadInTheBackground();

// The calling thread's niceness.
int thisThreadNiceness();

} // namespace platform
