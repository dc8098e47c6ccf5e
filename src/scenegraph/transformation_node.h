#pragma once

#include "scenegraph/node.h"

#include <glm/glm.hpp>

namespace scenegraph {

// A node with a rigid transformation kept as separate rotation, translation
// and scale matrices, turned once per frame into the global model matrix that
// its children are placed with.
class TransformationNode : public Node {
public:
    TransformationNode(std::string name, std::string type);

    // Top-level update: folds the axis rotations into rotMat and ignores the
    // node's own parent.
    void update(double time) override;
    // Nested update: uses rotMat as it stands.
    void updateFromParent(double time, const glm::mat4& parentMat) override;
    void draw(const glm::mat4* viewMat, const glm::mat4* projMat, ShaderProgram* program,
              int filterMode, int mipmapMode) override;
    void reset() override;
    virtual void getPosition(glm::vec3& position);

    // angle in degrees; each axis flag counts only when exactly 1.0.
    void rotate(float angle, float x, float y, float z);
    // Absolute, not added to the previous position.
    void setPosition(glm::vec3 position);
    void setScale(glm::vec3 scale);

    glm::mat4 globalModelMat = glm::mat4(1.0f);  // world placement handed to the children
    glm::mat4 initialModelMat = glm::mat4(1.0f); // kept for the scene file
    glm::mat4 localmodelMat = glm::mat4(1.0f);   // translation·scale·rotation of this frame
    glm::mat4 rotX = glm::mat4(1.0f);            // rotation about x, set by rotate
    glm::mat4 rotY = glm::mat4(1.0f);            // rotation about y, set by rotate
    glm::mat4 rotZ = glm::mat4(1.0f);            // rotation about z, set by rotate
    glm::mat4 rotMat = glm::mat4(1.0f);          // rotX·rotY·rotZ as last folded
    glm::mat4 translationMat = glm::mat4(1.0f);  // position
    glm::mat4 scaleMat = glm::mat4(1.0f);        // size
    glm::vec3 scale_value = glm::vec3(0.0f);     // kept for the scene file
    glm::mat4 inv_scale = glm::mat4(1.0f);       // kept for the scene file

protected:
    void updateChildren(double time);
};

} // namespace scenegraph
