#pragma once

#include "scene/scene_text.h"

namespace scenegen {

// The game's world: the window, the three cameras, the visible world
// "universum" around the level's flight path, and the special nodes the
// render passes switch by name ("crosshair", "moonnode", "planenode").
Scene gameWorld();

} // namespace scenegen
