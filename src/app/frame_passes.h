#pragma once

struct FrameObjects;
struct LoopState;

// Draws one frame and presents it; presenting also lets the window system
// deliver input for the next pass. The loop's state is read, not changed;
// the frame objects keep what passes carry from frame to frame.
void renderFrame(const LoopState& loop, FrameObjects& objects, double elapsed);
