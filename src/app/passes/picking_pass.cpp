#include "app/passes/picking_pass.h"

#include "animation/animation_player.h"
#include "app/frame_objects.h"
#include "app/frame_values.h"
#include "app/shader_setup.h"
#include "model/obj.h"
#include "platform/glfw_compat.h"
#include "scenegraph/root_node.h"

#include <array>

namespace {

// The buffer starts as the colour of no hit node at all.
void clearToNoNode() {
    std::array<GLfloat, 4> sceneClear{};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, sceneClear.data());
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    clearTarget();
    glClearColor(sceneClear[0], sceneClear[1], sceneClear[2], sceneClear[3]);
}

void pickAt(int mouseX, int mouseY) {
    std::array<GLint, 4> viewport{};
    glGetIntegerv(GL_VIEWPORT, viewport.data());
    const std::optional<glm::ivec2> pixel = pickingPixel(mouseX, mouseY, viewport[2], viewport[3]);
    if (!pixel) {
        return;
    }
    std::array<unsigned char, 3> rgb{};
    glReadPixels(pixel->x, pixel->y, 1, 1, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    scenegraph::RootNode::getInstance()->checkHit(rgb.data());
}

} // namespace

std::optional<glm::ivec2> pickingPixel(int mouseX, int mouseY, int viewportWidth,
                                       int viewportHeight) {
    if (mouseX < 0 || mouseY < 0) {
        return std::nullopt;
    }
    // Rows count from the bottom in the buffer and from the top for the
    // mouse; the top row of the buffer is viewportHeight - 1.
    const glm::ivec2 pixel(mouseX / kPickingFactor, viewportHeight - 1 - mouseY / kPickingFactor);
    if (pixel.x >= viewportWidth || pixel.y < 0) {
        return std::nullopt;
    }
    return pixel;
}

bool runPickingPass(const FrameValues& values, FrameObjects& objects, int mouseX, int mouseY) {
    bindTarget(objects.pickingTarget);
    clearToNoNode();
    drawScene(values, programById(PickerProgram));
    const int button = platform::glfwGetMouseButton(GLFW_MOUSE_BUTTON_LEFT);
    const bool pressed = button == 1 && objects.rememberedButton == 0;
    if (pressed) {
        pickAt(mouseX, mouseY);
        if (objects.nodes.crosshair != nullptr) {
            animation::AnimationPlayer::getInstance()->play(objects.nodes.crosshair,
                                                            &objects.nodes.crosshairAnimation);
        }
    }
    objects.rememberedButton = button;
    backToScreen(values.width, values.height);
    return pressed;
}
