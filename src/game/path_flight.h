#pragma once

#include "game/flight_angles.h"

#include <glm/glm.hpp>

namespace scenegraph {
class TransformationNode;
}

namespace game {

// Turns a camera along the path: the heading comes from how the camera moved
// since the previous frame, so it carries that frame's position and angles.
struct PathFlight {
    glm::vec3 previousPosition{0.0f}; // the camera translation of the previous frame
    glm::vec3 previousAngles{0.0f};   // yaw, pitch and roll of the previous frame, degrees

    // Points the camera along the path at `pathPoint` and moves it there.
    void fly(scenegraph::TransformationNode& camera, const glm::vec4& pathPoint);
};

} // namespace game
