#pragma once

#include "scenegraph/transformation_node.h"

namespace scenegraph {

// A node whose transformation is applied again every frame, so it keeps
// moving, spinning or growing from where it was, and which hides itself when
// it leaves the visible depth range while the scene graph culls on Z.
class DisappearingNode : public TransformationNode {
public:
    explicit DisappearingNode(const char* name);

    void updateFromParent(double time, const glm::mat4& parentMat) override;
    // Only this node is marked: a hit below does not climb any further.
    void setHit(bool hit) override;

    double startTime = -1.0; // clock time of the first nested update; -1 before it
    // Disappearing parameters held for the scene file and the game.
    double timeLimit = 0.0;
    bool onHit = false; // the game sets it on the "cueSystem" nodes
    float x_value = -999.9f;
    float y_value = -999.9f;
    float z_value = -999.9f;
    float dist = -999.9f;
    bool x_smaller = false;
    bool y_smaller = false;
    bool z_smaller = false;

private:
    // Hides the node for this frame when it lies outside the window's depth
    // range as seen from the active camera.
    void cullOnDepth();
};

} // namespace scenegraph
