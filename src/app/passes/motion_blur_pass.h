#pragma once

#include <glm/glm.hpp>

#include <iosfwd>

struct EffectObjects;
struct FrameOverlays;
struct FrameValues;
struct SpecialNodes;

// Writes "projectionMatrix" and then one line per column of projection,
// "[a|b|c|d]", the values in the stream's default format.
void printProjectionMatrix(std::ostream& out, const glm::mat4& projection);

// Blurs the frame along the camera's motion since the previous blurred
// frame: the picture of the scene frame buffer (unit 0) and the depth of the
// occlusion pass (unit 1) go to the "mblur" program with the previous view
// and the inverse projection and view, the projection is printed to out,
// and the result is blended over the current target. bloomedThisFrame says
// whether the scene frame buffer already holds this frame; otherwise the
// screen is copied into it first, so the blur never reads an old picture.
// overlays are what the frame drew over the world (null when the full
// render did not run): they are left sharp, and the scene around them is
// blurred without their light.
void runMotionBlurPass(const FrameValues& values, EffectObjects& effects, SpecialNodes& nodes,
                       bool bloomedThisFrame, const FrameOverlays* overlays, std::ostream& out);
