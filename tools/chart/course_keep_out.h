#pragma once

#include <glm/glm.hpp>

#include <vector>

namespace chart {

// A place a course must not fly through: a sphere around one of the shipped
// scene's things (planets, stations, rocks), which stand beside the shipped
// loop and would stand in a course's way.
struct KeepOut {
    glm::vec3 centre;
    float radius;
};

// Every thing of the shipped scene (tools/scene/world.cpp places them), with
// room to spare.
const std::vector<KeepOut>& sceneKeepOuts();

} // namespace chart
