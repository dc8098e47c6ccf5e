#pragma once

#include "view/cam.h"

namespace view {

// A chase camera: the mouse tilts and turns it, keys do nothing, and nodes
// hung below it are not carried along.
class ThirdPersonRaceCamera : public Cam {
public:
    ThirdPersonRaceCamera() : Cam("CameraNode", "ThirdPersonRaceCamera") {}

    void updateFromParent(double time, const glm::mat4& parentMat) override;
    void mouseLook(float dx, float dy) override;
    void keyMove() override {}
};

} // namespace view
