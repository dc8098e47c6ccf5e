#pragma once

#include "scenegraph/transformation_node.h"

namespace view {

// The camera proper. Its global model matrix is the view matrix of the frame;
// unlike an ordinary transformation node it composes rotation after
// translation (the view order) and has no scale.
class Cam : public scenegraph::TransformationNode {
public:
    using TransformationNode::TransformationNode;

    void updateFromParent(double time, const glm::mat4& parentMat) override;

    virtual const glm::mat4* viewMatrix();
    virtual void setLocalMatrix(const glm::mat4& m);
    // dx and dy in degrees, derived from the mouse offset by the camera node.
    virtual void mouseLook(float dx, float dy) = 0;
    // Keyboard movement, once per frame.
    virtual void keyMove() = 0;

protected:
    // The view-order arithmetic shared by every camera, without the children.
    void composeViewMatrix(const glm::mat4& parentMat);
};

} // namespace view
