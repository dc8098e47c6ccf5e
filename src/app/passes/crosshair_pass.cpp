#include "app/passes/crosshair_pass.h"

#include "app/frame_values.h"
#include "app/shader_setup.h"
#include "app/special_nodes.h"
#include "model/obj.h"
#include "scenegraph/root_node.h"

glm::vec3 crosshairPlace(int mouseX, int mouseY, int width, int height) {
    return {static_cast<float>(mouseX) / static_cast<float>(width) - 0.5f,
            0.5f - static_cast<float>(mouseY) / static_cast<float>(height), 0.0f};
}

void drawCrosshair(const FrameValues& values, SpecialNodes& nodes, int mouseX, int mouseY) {
    model::OBJ* crosshair = nodes.crosshair;
    scenegraph::Node* universum = findUniversum();
    if (crosshair == nullptr) {
        return;
    }
    crosshair->setPosition(crosshairPlace(mouseX, mouseY, values.width, values.height));
    // Placed now rather than at the next scene update, so it never trails
    // the mouse by a frame.
    crosshair->update(0.0);
    crosshair->setDrawStatus(1);
    if (universum != nullptr) {
        universum->setDrawStatus(0);
    }
    const glm::mat4 identity(1.0f);
    scenegraph::RootNode::getInstance()->draw(&identity, &values.overlayProjection,
                                              programById(MinimalProgram), values.filter,
                                              values.mipmap);
    if (universum != nullptr) {
        universum->setDrawStatus(1);
    }
    crosshair->setDrawStatus(0);
}
