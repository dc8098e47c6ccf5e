#pragma once

#include <glm/glm.hpp>

struct DebrisPass;
struct EffectObjects;
struct FrameValues;
struct SpecialNodes;

// Whether the god rays can add anything this frame: the "lightshaft" program
// adds nothing for a light behind the camera or so far beside the screen
// that its rays have faded out. Neither the rays nor, for them alone, the
// occlusion picture are then worth drawing: full-window work that adds
// nothing is a large waste under software rendering.
bool raysCanShow(const FrameValues& values, glm::vec3 lightPosition);

// Draws the light-shaft occlusion picture into the light-shaft buffer: the
// world in black with the moon, moved to the light's place, in white (draw
// mode 1 of "minimal"), and the debris, and builds its mipmaps. Its depth
// also feeds the motion blur.
// Returns whether it drew (an incomplete buffer is skipped).
bool runOcclusionPass(const FrameValues& values, EffectObjects& effects, SpecialNodes& nodes,
                      DebrisPass& debris, glm::vec3 lightPosition);

// Adds the god rays: the occlusion picture smeared toward the light's screen
// position by the "lightshaft" program, blended additively over the screen,
// when they can show.
void runLightShaftPass(const FrameValues& values, EffectObjects& effects, SpecialNodes& nodes,
                       glm::vec3 lightPosition);
