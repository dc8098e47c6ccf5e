#include "game/path_flight.h"

#include "scenegraph/transformation_node.h"

namespace game {

void PathFlight::fly(scenegraph::TransformationNode& camera, const glm::vec4& pathPoint) {
    const glm::vec3 position = -glm::vec3(pathPoint);
    const glm::vec3 delta(position.x - previousPosition.x, position.y - previousPosition.y,
                          -(position.z - previousPosition.z));
    const glm::vec3 angles = flightAngles(delta, previousAngles);
    camera.rotate(angles.x, 0.0f, 1.0f, 0.0f);
    camera.rotate(angles.y, 1.0f, 0.0f, 0.0f);
    camera.setPosition(position);
    previousPosition = position;
    previousAngles = angles;
}

} // namespace game
