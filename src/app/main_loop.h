#pragma once

#include "app/loop_state.h"

struct FrameObjects;

// The per-pass simulation step, skipped while the game is paused.
void updateFrame(LoopState& loop, double elapsed);

// Runs passes until Escape, Q or the window closing ends the loop.
void runMainLoop(LoopState& loop, FrameObjects& frameObjects);

// Releases every GL object while the context still exists (the frame
// objects' frame buffers and lens flare after the singletons), then ends GLFW.
void shutdown(FrameObjects& frameObjects);
