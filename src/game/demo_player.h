#pragma once

#include "game/cue_judging.h"

#include <glm/glm.hpp>

#include <functional>
#include <optional>

namespace game {

// A click is judged on the frame after it. The demo clicks once that frame
// is expected this close to the cue's time: well inside the window, which
// opens kHitToleranceMs before it, even if the next frame comes sooner than
// the last one did.
constexpr double kDemoJudgeLeadMs = 200.0;
// The share of the last frame's length the next frame is counted on.
constexpr double kDemoFrameShare = 0.8;
// The demo gives up on a cue once the event clock is this far past its time.
constexpr double kDemoGiveUpMs = 200.0;

// A click is judged on a later frame than the one it is made on. Clicking
// only once this frame itself lies inside the cue's window (by this margin)
// means no following frame, however short, judges it too early, which would
// spoil the cue for good; a prediction of the next frame's length cannot
// promise that when frame times jitter.
constexpr double kDemoEarlyMarginMs = 20.0;

// Whether the window of a cue at cueTimeMs has opened far enough, at this
// music position, for a click to be safe from being judged too early.
bool windowHasOpened(double positionMs, double cueTimeMs);

// The cue the demo should click on this frame, given the length of the last
// frame in ms of music: the first cue still judged (the one whose cue event
// has just fired, then those of the window) that is neither hit nor spoilt
// and whose time has come. Nothing when none is due.
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
