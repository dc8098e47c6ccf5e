#pragma once

#include "view/cam.h"

namespace view {

// Free-look camera: the mouse turns it, W/A/S/D/E/X move it.
class GlobalViewPlaneMoveCamera : public Cam {
public:
    GlobalViewPlaneMoveCamera();

    void mouseLook(float dx, float dy) override;
    void keyMove() override;

    glm::vec3 right = glm::vec3(0.0f); // first row of localmodelMat, refreshed by keyMove
    glm::vec3 up = glm::vec3(0.0f);    // second row
    glm::vec3 back = glm::vec3(0.0f);  // third row

private:
    void moveIfDown(int key, const glm::vec3& step);
};

} // namespace view
