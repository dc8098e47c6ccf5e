#include "view/cam.h"

namespace view {

void Cam::updateFromParent(double time, const glm::mat4& parentMat) {
    composeViewMatrix(parentMat);
    updateChildren(time);
}

void Cam::composeViewMatrix(const glm::mat4& parentMat) {
    rotMat = rotX * rotY * rotZ;
    localmodelMat = rotMat * translationMat;
    globalModelMat = parentMat * localmodelMat;
}

const glm::mat4* Cam::viewMatrix() {
    return &globalModelMat;
}

void Cam::setLocalMatrix(const glm::mat4& m) {
    localmodelMat = m;
}

} // namespace view
