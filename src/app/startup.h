#pragma once

#include "app/config.h"

// Brings the program from nothing to an open window with a current OpenGL
// context in a known state: config.cfg (and over it the player's own, when
// given), window hints, the window, GLEW, the fixed GL state and the version
// report. Always true; whether the window opened shows in the window record's
// winOpen.
bool initWindow(const PlayerConfig& playerConfig = {});

// Releases the GL objects initWindow made; call while the context is alive.
void releaseStartupObjects();
