#pragma once

#include <string>

namespace model {

// The "light" program's id; the world's models are drawn with it.
constexpr int kLightProgramId = 2;

// Each look a model can have (its draw mode: 4 to 8 each, any other mode the
// plain look), with or without the normal level's block, has a key: the
// world program is built once per key that plain models draw, so a draw pays
// only for what its look computes. Keys run from 0 to kLightLookCount - 1.
constexpr int kLightLookCount = 12;

// The key of the variant that draws a model in drawMode; normalMap is
// whether the model binds a normal level.
int lightLookKey(int drawMode, bool normalMap);
// The define lines that build the variant of key.
std::string lightLookDefines(int key);
// Whether the variant of key is drawn at all. The cue looks (announced, in
// the window, missed) are only ever taken by cues, which morph, and morphing
// models draw with the whole program; their variants would be built for
// nothing. A plain model in such a look gets the whole program too.
bool lightLookDrawn(int key);

} // namespace model
