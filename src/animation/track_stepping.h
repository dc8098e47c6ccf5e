#pragma once

#include "animation/animation.h"

#include <glm/glm.hpp>

#include <optional>

namespace animation {

// Sum of the z shares handed out by running rotation keyframes since the last
// one ended, shared by every rotation track: the keyframe that ends hands out
// the rest of its z turn and empties it.
extern float spinAccumulator;

// Where a morph track leaves a morphing model: the shape it blends from and
// how far towards the next (0..1).
struct MorphState {
    int frame = 0;
    float factor = 0.0f;
};

// Each step adds frameTime to the front keyframe and gives the track's value
// for this frame, or nothing while the track is empty or its front keyframe
// still waits out its delay. A keyframe that is over is dropped, gives its end
// value, and the next one is stepped with the same frameTime.
std::optional<glm::vec3> stepScaleTrack(Animation& animation, double frameTime);
std::optional<glm::vec3> stepMoveTrack(Animation& animation, double frameTime);
std::optional<glm::vec3> stepRotationTrack(std::deque<RotationKey>& track, double frameTime);
std::optional<MorphState> stepMorphTrack(std::deque<MorphKey>& track, double frameTime);

} // namespace animation
