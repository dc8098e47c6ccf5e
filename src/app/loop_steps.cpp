#include "app/loop_steps.h"

#include "platform/glfw_compat.h"

namespace {

float heldAxis(int decreaseKey, int increaseKey) {
    return static_cast<float>(platform::glfwGetKey(increaseKey) -
                              platform::glfwGetKey(decreaseKey));
}

} // namespace

void ageMessage(OverlayText& message, double elapsed) {
    if (!message.presented) {
        return;
    }
    message.displayTime += elapsed;
    if (message.displayTime > messageDuration && message.visible) {
        message.visible = false;
        message.displayTime = 0.0;
    }
}

std::optional<double> frameToDraw(LoopState& loop, double elapsed) {
    loop.sinceRender += elapsed;
    if (!loop.frameLocked) {
        return elapsed;
    }
    if (loop.sinceRender <= lockedFrameInterval) {
        return std::nullopt;
    }
    double frameTime = loop.sinceRender;
    loop.sinceRender = 0.0;
    return frameTime;
}

void moveLightWithHeldKeys(glm::vec3& lightPosition, double elapsed) {
    float step = lightKeySpeed * static_cast<float>(elapsed);
    lightPosition.x += step * heldAxis(GLFW_KEY_F, GLFW_KEY_H);
    lightPosition.y += step * heldAxis(GLFW_KEY_N, GLFW_KEY_Y);
    lightPosition.z += step * heldAxis(GLFW_KEY_T, GLFW_KEY_G);
}

bool keepRunning(bool running) {
    return running && platform::glfwGetKey(platform::GLFW_KEY_ESC) == 0 &&
           platform::glfwGetKey(GLFW_KEY_Q) == 0 &&
           platform::glfwGetWindowParam(platform::GLFW_OPENED) != 0;
}
