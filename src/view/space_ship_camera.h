#pragma once

#include "view/cam.h"

namespace view {

// A camera steered only by the game's flight; mouse and keys do nothing.
class SpaceShipCamera : public Cam {
public:
    SpaceShipCamera() : Cam("CameraNode", "SpaceShipCamera") {}

    void mouseLook(float, float) override {}
    void keyMove() override {}
};

} // namespace view
