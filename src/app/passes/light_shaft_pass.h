#pragma once

#include <glm/glm.hpp>

struct DebrisPass;
struct EffectObjects;
struct FrameValues;
struct SpecialNodes;

// Draws the light-shaft occlusion picture into the light-shaft buffer: the
// world in black with the moon, moved to the light's place, in white (draw
// mode 1 of "minimal"), and the debris. Its depth also feeds the motion blur.
// Returns whether it drew (an incomplete buffer is skipped).
bool runOcclusionPass(const FrameValues& values, EffectObjects& effects, SpecialNodes& nodes,
                      DebrisPass& debris, glm::vec3 lightPosition);

// Adds the god rays: the occlusion picture smeared toward the light's screen
// position by the "lightshaft" program, blended additively over the screen.
void runLightShaftPass(const FrameValues& values, EffectObjects& effects, SpecialNodes& nodes,
                       glm::vec3 lightPosition);
