#pragma once

#include "app/key_commands.h"
#include "app/loop_state.h"

struct FrameObjects;

// The per-pass simulation step, skipped while the game is paused.
void updateFrame(LoopState& loop, double elapsed);

// One pass of the level's loop: input, the level's update, a frame, the
// key commands (see README's "How it fits together").
void runGamePass(LoopState& loop, FrameObjects& frameObjects, KeyCommands& commands,
                 CommandContext& context);

// Runs passes until Escape, Q or the window closing ends the loop.
void runMainLoop(LoopState& loop, FrameObjects& frameObjects);

// The pass's frame statistics, in the window's title and the overlay.
void showStatistics(LoopState& loop, double frameTime);

// Releases every GL object while the context still exists (the frame
// objects' frame buffers and lens flare after the singletons), then ends GLFW.
void shutdown(FrameObjects& frameObjects);
