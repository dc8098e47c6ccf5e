#pragma once

#include <glm/glm.hpp>

namespace animation {

// Turns a node by angles (degrees about x, y, z) spread over the keyframe's
// duration; times are in seconds, the unit of the player's frame time.
struct RotationKey {
    glm::vec3 angles = glm::vec3(0.0f); // the whole turn of the keyframe
    double delay = 0.0;                 // waiting time before the turn starts
    double elapsed = 0.0;               // time the keyframe has been stepped
    float duration = 0.0f;              // length of the turn once started
};

// Moves (or scales) a node linearly from `from` to `to`. The two tracks use
// the same record; the tag only keeps a move key out of the scale track.
template <typename Tag> struct LinearKey {
    glm::vec3 to = glm::vec3(0.0f);   // value at the end
    glm::vec3 from = glm::vec3(0.0f); // value at the start
    bool fromCurrent = false;         // start from where the node is instead of `from`
    double elapsed = 0.0;             // time the keyframe has been stepped
    double delay = 0.0;               // waiting time before the change starts
    float duration = 0.0f;            // length of the change once started
};

struct MoveTag {};
struct ScaleTag {};
using MoveKey = LinearKey<MoveTag>;
using ScaleKey = LinearKey<ScaleTag>;

// Blends a morphing model from shape `frame` into the next one.
struct MorphKey {
    int frame = 0;         // shape morphed from
    double delay = 0.0;    // waiting time before the blend starts
    double elapsed = 0.0;  // time the keyframe has been stepped
    float duration = 0.0f; // length of the blend once started
};

} // namespace animation
