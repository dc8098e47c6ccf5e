#pragma once

#include "animation/keyframes.h"

#include <glm/glm.hpp>

#include <deque>

namespace animation {

// Keyframe queues for one node. Builders append to the source tracks; the
// player copies them into the working tracks each time it starts the
// animation, so one record can be played again and again.
struct Animation {
    glm::vec3 translation =
        glm::vec3(0.0f);               // last interpolated position, start of a fromCurrent move
    glm::vec3 scale = glm::vec3(0.0f); // last interpolated scale, start of a fromCurrent scale

    std::deque<RotationKey> rotationTrack; // working tracks, consumed front first
    std::deque<MoveKey> moveTrack;
    std::deque<ScaleKey> scaleTrack;
    std::deque<MorphKey> morphTrack;

    std::deque<RotationKey> rotationSource; // source tracks, left untouched by playing
    std::deque<MoveKey> moveSource;
    std::deque<ScaleKey> scaleSource;
    std::deque<MorphKey> morphSource;

    // Working tracks back to the source tracks.
    void rewind() {
        rotationTrack = rotationSource;
        moveTrack = moveSource;
        scaleTrack = scaleSource;
        morphTrack = morphSource;
    }

    bool finished() const {
        return rotationTrack.empty() && moveTrack.empty() && scaleTrack.empty() &&
               morphTrack.empty();
    }
};

} // namespace animation
