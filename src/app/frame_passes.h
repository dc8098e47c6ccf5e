#pragma once

#include <functional>

struct FrameObjects;
struct FrameValues;
struct LoopState;

// Draws one frame and presents it; presenting also lets the window system
// deliver input for the next pass. The loop's state is read, not changed;
// the frame objects keep what passes carry from frame to frame. A screen's
// own drawing (the song select screen's list) goes over everything, after
// the effects, when `drawOnTop` is given.
void renderFrame(const LoopState& loop, FrameObjects& objects, double elapsed,
                 const std::function<void(const FrameValues&)>& drawOnTop = {});

// Draws one frame looking from the camera towards the light, with the light
// shafts, and clears it unseen. The first frame that shows the sun would
// otherwise stop for the drivers to build that picture's programs (about
// 240 ms on a software renderer, in the middle of a song); once is enough
// for the whole run.
void warmUpTowardsLight(const LoopState& loop, FrameObjects& objects);
