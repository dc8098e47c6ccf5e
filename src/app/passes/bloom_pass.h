#pragma once

struct EffectObjects;
struct FrameValues;
struct SpecialNodes;

// With BLOOM on, makes the scene frame buffer the target of the full render.
// Returns whether it did (an incomplete buffer is skipped).
bool captureSceneForBloom(EffectObjects& effects);

// Bloom over the captured scene: the bright parts shrunk into bloom buffer A
// (plane mode 0), blurred narrow and wide into B (modes 1 and 2), and the
// screen cleared and given the glow plus the scene (mode 3 twice).
void runBloomPass(const FrameValues& values, EffectObjects& effects, SpecialNodes& nodes);
