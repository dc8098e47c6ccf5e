#include "view/third_person_race_camera.h"

namespace view {

void ThirdPersonRaceCamera::updateFromParent(double, const glm::mat4& parentMat) {
    composeViewMatrix(parentMat);
}

void ThirdPersonRaceCamera::mouseLook(float dx, float dy) {
    // A zero angle would snap the axis back to straight ahead; skip it.
    if (dy != 0.0f) {
        rotate(dy, 1.0f, 0.0f, 0.0f);
    }
    if (dx != 0.0f) {
        rotate(dx, 0.0f, 1.0f, 0.0f);
    }
}

} // namespace view
