#include "game/flight_angles.h"

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

} // namespace game
