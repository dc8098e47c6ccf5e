#pragma once

#include <glm/glm.hpp>

#include <optional>

struct FrameObjects;
struct FrameValues;

// The pixel of the picking buffer under the mouse (origin top left, window
// pixels), for a buffer of viewportWidth by viewportHeight that is reduced by
// kPickingFactor. Nothing when the mouse is outside the window or the position
// falls outside the buffer.
std::optional<glm::ivec2> pickingPixel(int mouseX, int mouseY, int viewportWidth,
                                       int viewportHeight);

// Draws the scene in picking colours into the picking target and, on the
// frame the left button goes down, reads the pixel under the mouse, hands it
// to the scene's hit test and pulses the crosshair. Ends back on the screen.
// True on that frame.
bool runPickingPass(const FrameValues& values, FrameObjects& objects, int mouseX, int mouseY);
