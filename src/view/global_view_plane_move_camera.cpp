#include "view/global_view_plane_move_camera.h"

#include "platform/glfw_compat.h"

namespace view {

GlobalViewPlaneMoveCamera::GlobalViewPlaneMoveCamera()
    : Cam("CameraNode", "GlobalViewPlaneMoveCamera") {}

void GlobalViewPlaneMoveCamera::mouseLook(float dx, float dy) {
    rotate(dx, 0.0f, 1.0f, 0.0f);
    rotate(dy, 1.0f, 0.0f, 0.0f);
}

void GlobalViewPlaneMoveCamera::keyMove() {
    const glm::mat4& m = localmodelMat;
    right = glm::vec3(m[0][0], m[1][0], m[2][0]);
    up = glm::vec3(m[0][1], m[1][1], m[2][1]);
    back = glm::vec3(m[0][2], m[1][2], m[2][2]);
    // The position is that of the view transform, so the signs look mirrored:
    // + back moves the eye forward, + right moves it to the left.
    moveIfDown(GLFW_KEY_D, -right);
    moveIfDown(GLFW_KEY_A, right);
    moveIfDown(GLFW_KEY_W, back);
    moveIfDown(GLFW_KEY_S, -back);
    moveIfDown(GLFW_KEY_E, -up);
    moveIfDown(GLFW_KEY_X, up);
}

void GlobalViewPlaneMoveCamera::moveIfDown(int key, const glm::vec3& step) {
    if (platform::glfwGetKey(key) != GLFW_PRESS) {
        return;
    }
    glm::vec3 position;
    getPosition(position);
    setPosition(position + step);
}

} // namespace view
