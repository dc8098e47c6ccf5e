#include "app/special_nodes.h"

#include "model/obj.h"
#include "scenegraph/object_node.h"
#include "scenegraph/root_node.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

constexpr glm::vec3 kCrosshairRestingScale(0.03f, 0.03f, 0.0f);
constexpr glm::vec3 kCrosshairPulseScale(0.1f, 0.1f, 0.0f);
constexpr float kCrosshairPulseSeconds = 0.15f;

} // namespace

model::OBJ* findModel(scenegraph::Node& root, const std::string& name) {
    auto* node = dynamic_cast<scenegraph::ObjectNode*>(root.findNode(name));
    return node != nullptr ? node->getGeomObj() : nullptr;
}

void initSpecialNodes(SpecialNodes& nodes, scenegraph::RootNode& root,
                      std::string& currentCamName) {
    nodes.crosshair = findModel(root, "crosshair");
    nodes.moon = findModel(root, "moonnode");
    nodes.plane = findModel(root, "planenode");
    if (nodes.crosshair != nullptr) {
        nodes.crosshair->scaleMat = glm::scale(glm::mat4(1.0f), kCrosshairRestingScale);
    }
    currentCamName = root.activeCamName;
    animation::ScaleKey pulse;
    pulse.to = kCrosshairRestingScale;
    pulse.from = kCrosshairPulseScale;
    pulse.fromCurrent = true;
    pulse.elapsed = 0.0;
    pulse.delay = 0.0;
    pulse.duration = kCrosshairPulseSeconds;
    nodes.crosshairAnimation.scaleSource.push_back(pulse);
}

scenegraph::Node* findUniversum() {
    return scenegraph::RootNode::getInstance()->findNode("universum");
}
