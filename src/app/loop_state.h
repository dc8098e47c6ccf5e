#pragma once

#include "app/config.h"
#include "app/end_of_song.h"
#include "app/frame_statistics.h"
#include "app/render_flags.h"
#include "game/demo_driver.h"
#include "render/overlay_text.h"

#include <glm/glm.hpp>

#include <optional>
#include <string>

struct ScoreKeeping;

// Everything the main loop carries from one pass to the next; the key
// commands change it and the frame passes read it.
struct LoopState {
    RenderFlags renderFlags = initialRenderFlags;
    bool wireframe = false;   // polygons drawn as lines
    bool transparency = true; // GL_BLEND enabled
    bool frameLocked = false; // draw at most once per 1/60 s
    bool running = true;      // the loop goes on
    bool paused = false;      // the game's updates are held; drawing goes on
    double now = 0.0;         // clock at the top of this pass, seconds
    double lastTime = 0.0;    // clock at the end of the previous pass
    double pauseStart = 0.0;  // clock when the game was paused; resuming rewinds to it
    double sinceRender = 0.0; // time gathered since the last drawn frame (while locked)
    FrameStatistics statistics;
    glm::vec3 lightPosition{-5.0f, 5.0f, -15.0f}; // handed to the light every update
    std::string currentCamName;                   // the camera the C key last chose
    int mouseX = 0;                               // cursor position read every pass, for picking
    int mouseY = 0;
    OverlayText messageOverlay;  // command messages (one second) and the final accuracy
    OverlayText fpsOverlay;      // the statistics line, shown until F2 hides it
    bool accuracyLogged = false; // the end of the song was written to the log once
    bool feedback = true;        // F6: how the clicks went, in play and on the end screen
    bool endScreen = false;      // endOfSong is shown: the song is over, or a stored play
    EndOfSong endOfSong;         // what the end screen shows
    game::DemoDriver demo;       // plays the game in demo mode
    // Where the finished play is saved; null when nothing is (saving off, a
    // practice, or a caller that plays no whole game).
    const ScoreKeeping* scoreKeeping = nullptr;
    // A practice of a passage (--practice): its plays are never saved as
    // scores, and it has no end screen.
    bool practice = false;
    PlayerConfig playerConfig; // where the A key writes the suggested offset_ms
};
