#include "scenegraph/camera_node.h"

#include "app/window.h"
#include "platform/glfw_compat.h"
#include "scenegraph/root_node.h"

#include <algorithm>
#include <utility>

namespace scenegraph {

namespace {

struct HalfSize {
    int cx = 0;
    int cy = 0;
};

HalfSize halfWindowSize() {
    const Window* window = RootNode::getInstance()->getWindow();
    if (window == nullptr) {
        return {};
    }
    return {window->width / 2, window->height / 2};
}

// Degrees for a mouse offset: 30 at the window's edge. A window narrower than
// two pixels has a half-size of 0; dividing by 1 instead keeps the angle finite.
float lookAngle(int mouse, int centre) {
    const double divisor = std::max(centre, 1);
    return static_cast<float>((mouse - centre) * 30.0 / divisor);
}

} // namespace

CameraNode::CameraNode(std::string name, view::Cam* cam, int count)
    : TransformationNode(std::move(name), "CameraNode"), cam(cam), count(count) {
    recentreMouse();
}

CameraNode::~CameraNode() {
    delete cam;
}

void CameraNode::cameraUpdate() {
    const HalfSize centre = halfWindowSize();
    int mx = 0;
    int my = 0;
    platform::glfwGetMousePos(&mx, &my);
    if (cam == nullptr) {
        return;
    }
    if (mx != mouseX_old || my != mouseY_old) {
        cam->mouseLook(lookAngle(mx, centre.cx), lookAngle(my, centre.cy));
    }
    mouseX_old = mx;
    mouseY_old = my;
    cam->keyMove();
    cam->updateFromParent(0.0, localmodelMat);
}

void CameraNode::reset() {
    recentreMouse();
    count = 0;
}

void CameraNode::recentreMouse() {
    const HalfSize centre = halfWindowSize();
    mouseX_old = centre.cx;
    mouseY_old = centre.cy;
}

} // namespace scenegraph
