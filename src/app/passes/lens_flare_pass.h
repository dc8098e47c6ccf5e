#pragma once

struct EffectObjects;
struct FrameValues;

// The lens flare of the main light over the frame, with depth testing off.
void drawLensFlare(const FrameValues& values, EffectObjects& effects);
