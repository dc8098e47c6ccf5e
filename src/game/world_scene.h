#pragma once

namespace game {

// The scene's node every level hangs its cues under.
inline constexpr const char* kUniverseNode = "universum";

// Loads the level's world, the scene file, unless it is there already: a
// level played after another (in the song library) flies the same world, and
// nothing is read twice. The scene file brings its own window record; the
// open window keeps its size, and stays open, so the record goes on
// following its size.
void loadWorldOnce();

} // namespace game
