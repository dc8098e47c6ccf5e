#pragma once

#include <glm/glm.hpp>

namespace game {

// Yaw, pitch and roll (degrees) of a move `delta` (with z already pointing
// forward). An angle whose divisor is exactly 0 keeps its previous value.
// Plain arithmetic, apart from the camera it turns, so the charting tool
// measures a course's turns with the very angles the flight will use.
glm::vec3 flightAngles(const glm::vec3& delta, const glm::vec3& previous);

} // namespace game
