#include "scenegraph/object_node.h"

#include "model/obj.h"

#include <utility>

namespace scenegraph {

ObjectNode::ObjectNode(std::string name, std::string type, model::OBJ* geom)
    : Node(std::move(name), std::move(type)), geomObj(geom) {}

void ObjectNode::update(double time) {
    Node::update(time);
    modelMatrix = glm::mat4(1.0f);
    if (geomObj != nullptr) {
        geomObj->updateFromParent(time, modelMatrix);
    }
}

void ObjectNode::updateFromParent(double time, const glm::mat4& parentMat) {
    modelMatrix = parentMat;
    Node::updateFromParent(time, parentMat);
    if (geomObj != nullptr) {
        geomObj->updateFromParent(time, parentMat);
    }
}

void ObjectNode::draw(const glm::mat4* viewMat, const glm::mat4* projMat, ShaderProgram* program,
                      int filterMode, int mipmapMode) {
    if (getDrawStatus() == 0) {
        return;
    }
    if (geomObj != nullptr) {
        geomObj->draw(viewMat, projMat, program, filterMode, mipmapMode);
    }
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (Node* child = children[i]) {
            child->draw(viewMat, projMat, program, filterMode, mipmapMode);
        }
    }
}

model::OBJ* ObjectNode::getGeomObj() {
    return geomObj;
}

} // namespace scenegraph
