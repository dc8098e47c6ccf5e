#pragma once

#include "scenegraph/transformation_node.h"
#include "util/singleton.h"

#include <string>
#include <vector>

class Window;

namespace scenegraph {

class CameraNode;

// Texture filter modes, the fourth draw argument.
constexpr int FILTER_NEAREST = 1;
constexpr int FILTER_BILINEAR = 2;
// Mip-mapping modes, the fifth draw argument.
constexpr int MIPMAP_OFF = 10;
constexpr int MIPMAP_NEAREST = 11;
constexpr int MIPMAP_LINEAR = 12;
// View culling modes.
constexpr int CULL_NONE = 20;
constexpr int CULL_LEVEL_Z = 21;
constexpr int CULL_LEVEL_FRUSTUM = 22;
constexpr int CULL_SCENEGRAPH_Z = 23;
constexpr int CULL_SCENEGRAPH_FRUSTUM = 24;

// The single root of the scene. Besides the tree it owns the cameras, the
// window record and the three render switches the key commands cycle.
class RootNode : public TransformationNode, public util::Singleton<RootNode> {
public:
    ~RootNode() override;

    bool isRoot() override;
    // Every TransformationNode directly below is a top-level node; the root's
    // own matrices are never applied.
    void update(double time) override;
    void updateFromParent(double time, const glm::mat4& parentMat) override;
    void printTree(std::ostream& os, int depth) override;

    // Creates the record with its initial values on first request; null only
    // if that allocation fails.
    Window* getWindow();
    // Replaces the record; the root owns the new one.
    void setWindow(Window* newWindow);
    // Empties the scene before a scene file is read; the modes survive.
    void clearScene();

    // Takes ownership.
    void addCamera(CameraNode* camera);
    CameraNode* getCamera(const std::string& cameraName);
    bool hasCamera(const std::string& cameraName);
    // An unknown name is remembered but keeps the current camera.
    void setActiveCamera(const std::string& cameraName);

    int textureFilterMode = FILTER_BILINEAR; // fourth draw argument
    int mipmapMode = MIPMAP_LINEAR;          // fifth draw argument
    int cullingMode = CULL_NONE;             // who culls, see the CULL_ values
    std::vector<CameraNode*> cameras;        // in the order added; owned
    CameraNode* activeCam = nullptr;         // the camera the frame is seen from
    Window* window = nullptr;                // window size, planes and projection; owned
    std::string activeCamName;               // last name asked for, even if unknown

private:
    friend class util::Singleton<RootNode>;
    RootNode();

    void deleteWindow();
    void deleteCameras();
};

} // namespace scenegraph
