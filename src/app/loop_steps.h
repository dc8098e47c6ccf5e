#pragma once

#include "app/loop_state.h"

#include <optional>

// The shortest time between two drawn frames while the frame rate is locked.
constexpr double lockedFrameInterval = 1.0 / 60.0;

// A command message stays on screen this long.
constexpr double messageDuration = 1.0;

// How fast the held light keys move the light, in units per second.
constexpr float lightKeySpeed = 10.0f;

// Lets the message overlay's text expire once it has shown long enough.
void ageMessage(OverlayText& message, double elapsed);

// Gathers the pass's time and decides whether a frame is drawn now. Gives the
// frame time to feed the statistics, or nothing while a locked frame is not
// yet due.
std::optional<double> frameToDraw(LoopState& loop, double elapsed);

// F/H move the light along x, N/Y along y, T/G along z, for as long as they
// are held.
void moveLightWithHeldKeys(glm::vec3& lightPosition, double elapsed);

// False once Escape or Q is down or the window was closed.
bool keepRunning(bool running);
