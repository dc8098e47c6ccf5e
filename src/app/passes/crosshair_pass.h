#pragma once

#include <glm/glm.hpp>

struct FrameValues;
struct SpecialNodes;

// Where the crosshair sits under the overlay projection for a mouse position
// in window pixels: (0, 0) at the centre, (-0.5, 0.5) at the top left.
glm::vec3 crosshairPlace(int mouseX, int mouseY, int width, int height);

// Draws the crosshair alone, flat and bright, over the frame at the mouse.
void drawCrosshair(const FrameValues& values, SpecialNodes& nodes, int mouseX, int mouseY);
