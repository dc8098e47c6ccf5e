#pragma once

#include "app/loop_state.h"

#include <iosfwd>

class Level;

// The line and size of the final accuracy in the message overlay.
constexpr int accuracyLine = 5;
constexpr float accuracySize = 0.8f;
// Where the light stands relative to the camera's place on the path.
constexpr glm::vec3 lightOffsetFromPath{-100.0f, 0.0f, -150.0f};

// The top of a pass: the loop takes over the level's pause state; once the
// song is over the accuracy stays on screen (and is logged once, on `log`);
// while the game runs the light follows the camera along the path.
void followLevel(LoopState& loop, const Level& level, std::ostream& log);
