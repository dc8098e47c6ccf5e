#include "scenegraph/transformation_node.h"

#include <glm/gtc/matrix_transform.hpp>

#include <utility>

namespace scenegraph {

TransformationNode::TransformationNode(std::string name, std::string type)
    : Node(std::move(name), std::move(type)) {}

void TransformationNode::update(double time) {
    rotMat = rotX * rotY * rotZ;
    localmodelMat = translationMat * scaleMat * rotMat;
    globalModelMat = localmodelMat;
    updateChildren(time);
}

void TransformationNode::updateFromParent(double time, const glm::mat4& parentMat) {
    localmodelMat = translationMat * scaleMat * rotMat;
    globalModelMat = parentMat * localmodelMat;
    updateChildren(time);
}

void TransformationNode::updateChildren(double time) {
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (Node* child = children[i]) {
            child->updateFromParent(time, globalModelMat);
        }
    }
}

void TransformationNode::draw(const glm::mat4* viewMat, const glm::mat4* projMat,
                              ShaderProgram* program, int filterMode, int mipmapMode) {
    drawChildren(viewMat, projMat, program, filterMode, mipmapMode, true);
}

void TransformationNode::reset() {
    rotMat = glm::mat4(1.0f);
    translationMat = glm::mat4(1.0f);
    scaleMat = glm::mat4(1.0f);
    localmodelMat = glm::mat4(1.0f);
}

void TransformationNode::getPosition(glm::vec3& position) {
    position = glm::vec3(translationMat[3]);
}

void TransformationNode::rotate(float angle, float x, float y, float z) {
    const float radians = glm::radians(angle);
    const glm::mat4 identity(1.0f);
    if (x == 1.0f) {
        rotX = glm::rotate(identity, radians, glm::vec3(1.0f, 0.0f, 0.0f));
    }
    if (y == 1.0f) {
        rotY = glm::rotate(identity, radians, glm::vec3(0.0f, 1.0f, 0.0f));
    }
    if (z == 1.0f) {
        rotZ = glm::rotate(identity, radians, glm::vec3(0.0f, 0.0f, 1.0f));
    }
}

void TransformationNode::setPosition(glm::vec3 position) {
    translationMat = glm::translate(glm::mat4(1.0f), position);
}

void TransformationNode::setScale(glm::vec3 scale) {
    scaleMat = glm::scale(glm::mat4(1.0f), scale);
}

} // namespace scenegraph
