#pragma once

#include "scenegraph/transformation_node.h"
#include "view/cam.h"

#include <string>

namespace scenegraph {

// The node the root keeps a camera by: it owns the camera proper and turns
// mouse and keyboard into calls on it once per frame.
class CameraNode : public TransformationNode {
public:
    // Takes ownership of cam. The remembered mouse position starts at the
    // centre of the root's window.
    CameraNode(std::string name, view::Cam* cam, int count = 0);
    ~CameraNode() override;

    // Mouse look, key moves and the view matrix of this frame.
    void cameraUpdate();
    // Re-centres the remembered mouse; the matrices are left alone.
    void reset() override;

    view::Cam* getCam() const { return cam; }

    view::Cam* cam;     // the camera proper; owned
    int mouseX_old = 0; // mouse x seen last frame, so look only acts when it moved
    int mouseY_old = 0; // mouse y seen last frame
    int count = 0;      // kept for the scene file

private:
    void recentreMouse();
};

} // namespace scenegraph
