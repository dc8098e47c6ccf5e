#include "scenegraph/disappearing_node.h"

#include "app/window.h"
#include "platform/glfw_compat.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/root_node.h"

namespace scenegraph {

DisappearingNode::DisappearingNode(const char* name)
    : TransformationNode(name, "DisappearingNode") {}

void DisappearingNode::updateFromParent(double time, const glm::mat4& parentMat) {
    if (startTime == -1.0) {
        startTime = platform::glfwGetTime();
    }
    localmodelMat = localmodelMat * translationMat * scaleMat * rotMat;
    globalModelMat = parentMat * localmodelMat;
    // Any other request (reset, removal) is overridden every frame.
    status = STATUS_ACTIVE;
    cullOnDepth();
    updateChildren(time);
}

void DisappearingNode::cullOnDepth() {
    RootNode* root = RootNode::getInstance();
    if (root->cullingMode != CULL_SCENEGRAPH_Z || root->activeCam == nullptr ||
        root->activeCam->getCam() == nullptr) {
        return;
    }
    const Window* window = root->getWindow();
    if (window == nullptr) {
        return;
    }
    const glm::mat4& view = *root->activeCam->getCam()->viewMatrix();
    const float depth = -(view * globalModelMat)[3][2];
    if (depth < window->nearPlane || depth > window->farPlane) {
        status = STATUS_HIDDEN;
    }
}

void DisappearingNode::setHit(bool hit) {
    m_isHit = hit;
}

} // namespace scenegraph
