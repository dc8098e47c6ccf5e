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
