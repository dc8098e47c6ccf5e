#pragma once

#include "game/cue_judging.h"

#include <glm/glm.hpp>

#include <functional>
#include <optional>

namespace game {

// The demo gives up on a cue once the event clock is this far past its time.
constexpr double kDemoGiveUpMs = 200.0;

// A click is judged on the frame after the one it is made on, at that
// frame's music position, which never runs back. A click made once the
// event clock has passed the window's start is therefore never judged too
// early, which would spoil the cue for good. The margin covers a position
// that holds still for a moment while it follows the sound device.
constexpr double kDemoEarlyMarginMs = 20.0;

// How long (ms) until the window of a cue at cueTimeMs has opened far
// enough, from this song position as the judging takes it (the player's
// latency taken off), for a click to be safe from being judged too early;
// 0 once it has.
double msUntilSafeClick(double positionMs, double cueTimeMs);

// Whether a click made on this frame, judged on the next one (frameMs of
// music on, as the last frame took), lands nearer the cue's moment than one
// made a frame later: the frame to click on the beat.
bool clicksOnBeat(double positionMs, double cueTimeMs, double frameMs);

// The cue the demo should click on this frame or wait for, given the song
// position as the judging takes it and the length of the last frame in ms of
// music: the first cue still judged (the one
// whose cue event has just fired, then those of the window) that is neither
// hit nor spoilt, once its window opens before the next frame is expected.
// Nothing when none is due.
std::optional<int> cueToClick(const CueTrack& track, double positionMs, const CueTimes& cueTime,
                              double frameMs);

// Where the cue's centre shows on the screen (pixels, origin top left) when
// the cursor rests at `cursor`: the camera turns with a cursor that moved, so
// the answer depends on the cursor itself. Nothing when the cue is behind
// the eye.
using CueOnScreen = std::function<std::optional<glm::vec2>(glm::vec2 cursor)>;

// Finds a cursor position that lands on the cue after the camera's turn: a
// fixed point of cueOnScreen, found by Newton steps from `start` (the turn
// can move the cue further than the cursor moved, where plain repetition
// would run away). Nothing when no such point was found.
std::optional<glm::vec2> solveAim(const CueOnScreen& cueOnScreen, glm::vec2 start,
                                  int iterations = 12);

} // namespace game
