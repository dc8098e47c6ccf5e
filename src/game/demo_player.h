#pragma once

#include "game/cue_judging.h"

#include <glm/glm.hpp>

#include <functional>
#include <optional>

namespace game {

// The demo gives up on a cue once the event clock is this far past its time.
constexpr double kDemoGiveUpMs = 200.0;

// A click is judged at the song position of its press, which comes after
// the position the demo read on this frame and never runs back: a click
// made once the event clock has passed the window's start is therefore never
// judged too early, which would spoil the cue for good. The margin covers
// the position's rounding to whole ms and a sleep that oversleeps nothing.
constexpr double kDemoEarlyMarginMs = 20.0;

// How long (ms) until the window of a cue at cueTimeMs has opened far
// enough, from this song position as the judging takes it (the player's
// latency taken off), for a click to be safe from being judged too early;
// 0 once it has.
double msUntilSafeClick(double positionMs, double cueTimeMs);

// Whether a click made on this frame lands nearer the cue's moment than one
// made on the next frame, frameMs of music on (as the last frame took): the
// frame to click on the beat.
bool clicksOnBeat(double positionMs, double cueTimeMs, double frameMs);

// How long (ms of music) from this song position until the cue's moment,
// within half a frame of which the frame that clicks on the beat comes.
double msUntilBeat(double positionMs, double cueTimeMs);

// A press the demo's hand makes between two frames, as a player's lands
// between the polls that see it: planned on the frame before the cue's
// moment, made on the next.
struct BeatPress {
    int cue;     // the cue it clicks
    double atMs; // when the hand goes down (steady clock, ms)
};

// When (steady clock) the cue's moment comes, from a song position read at
// readAtMs with the song running at `speed`, if it comes before the next
// frame (within nextFrameMs of music, a late frame allowed for); nothing if
// it has come already or comes later. Should the next frame come before it
// after all, that frame plans again.
std::optional<double> beatBeforeNextFrame(double positionMs, double readAtMs, double cueTimeMs,
                                          double nextFrameMs, double speed);

// Whether a press planned for atMs is made on a frame whose song position
// was read at readAtMs, songFrameMs of music after the planning frame's: once
// the moment has come, unless the game was paused in between (the song
// then stood while the clock ran on, and the planned moment says nothing
// of where the song is).
bool beatPressIsDue(double atMs, double readAtMs, double songFrameMs, double speed);

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
