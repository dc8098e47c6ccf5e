#include "game/path_flight.h"

#include "scenegraph/transformation_node.h"

#include <cmath>

namespace game {

namespace {

// The value the angles are converted with; kept short so the headings match
// the ones the flight was tuned with.
constexpr double kPi = 3.1416;

float angleOf(float numerator, float divisor, float previous) {
    if (divisor == 0.0f) {
        return previous;
    }
    return static_cast<float>(std::atan(numerator / divisor) * 180.0 / kPi);
}

} // namespace

glm::vec3 flightAngles(const glm::vec3& delta, const glm::vec3& previous) {
    return {angleOf(delta.x, delta.z, previous.x), angleOf(-delta.y, delta.z, previous.y),
            angleOf(delta.y, delta.x, previous.z)};
}

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
