#pragma once

#include "app/loop_state.h"

#include <iosfwd>

class Level;
namespace game {
class TimingStats;
}
namespace scenegraph {
class RootNode;
}

// The line and size of the final accuracy in the message overlay.
constexpr int accuracyLine = 5;
constexpr float accuracySize = 0.8f;
// Where the light stands relative to the camera's place on the path.
constexpr glm::vec3 lightOffsetFromPath{-100.0f, 0.0f, -150.0f};

// The camera the demo flies: the racing camera keeps the flight's heading
// about an axis the cursor does not move along, so its turn reaches every
// cue; the free-look camera's turn replaces the heading and misses the cues
// beside the path's steepest bends, and the spaceship camera does not turn.
constexpr const char* demoCameraName = "racing cam";

// Puts the demo on its camera, as the camera key would.
void startDemo(LoopState& loop, scenegraph::RootNode& root);

// The end of the song's timing: the TIMING line on `log`, and the end screen's
// summary and offset advice (none in demo mode). The misses are the `judged`
// cues without a hit in `stats`; offsetMs is the offset_ms in use.
void concludeTiming(LoopState& loop, const game::TimingStats& stats, int judged, int offsetMs,
                    std::ostream& log);

// The top of a pass: the loop takes over the level's pause state; once the
// song is over the accuracy stays on screen (and is logged once, on `log`,
// and the play saved once where loop.scoreKeeping says); while the game runs
// the light follows the camera along the path.
void followLevel(LoopState& loop, const Level& level, std::ostream& log);
