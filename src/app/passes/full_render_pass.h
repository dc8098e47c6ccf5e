#pragma once

struct FrameObjects;
struct FrameValues;

// Clears the current target and draws the lit world: the scene and the
// debris with the "light" program, reflecting the environment map while
// ENVIRONMENT MAPPING is on. The moon and the effects' plane stay off.
void drawLitWorld(const FrameValues& values, FrameObjects& objects);
