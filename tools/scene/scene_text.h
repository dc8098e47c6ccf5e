#pragma once

#include <glm/glm.hpp>

#include <string>
#include <vector>

namespace scenegen {

// The node kinds a scene file can describe.
enum class NodeKind { Transformation, Disappearing, Object, Hit };

// The drawable model of an ObjectNode or HitNode.
struct Geometry {
    std::string objPath;
    std::string texturePath;
    glm::mat4 scaleMat = glm::mat4(1.0f); // size and offset of the model below its node
    int drawStatus = 1;                   // the passes switch the special models, not their nodes
};

// One node of the tree below the root. The update rebuilds a local matrix
// as translation·scaleMat·rotMat with a translation the file cannot set, so
// placement goes into scaleMat (translation and size) and rotMat
// (orientation). A DisappearingNode instead keeps its local matrix and turns
// it by rotMat again on every frame.
struct SceneNode {
    NodeKind kind = NodeKind::Transformation;
    std::string name;
    glm::mat4 scaleMat = glm::mat4(1.0f);
    glm::mat4 rotMat = glm::mat4(1.0f);
    glm::mat4 localmodelMat = glm::mat4(1.0f); // written as it will be after the first update
    int drawStatus = 1;                        // 0 switches the subtree off
    int drawMode = 0;                          // handed to the shaders
    Geometry geometry;                         // ObjectNode and HitNode only
    std::vector<SceneNode> children;
};

struct Camera {
    std::string name;
    std::string cameraClass; // GlobalViewPlaneMoveCamera, SpaceShipCamera or ThirdPersonRaceCamera
};

struct Scene {
    std::string name;
    int windowMode = 0;
    int width = 0;
    int height = 0;
    std::vector<Camera> cameras;
    std::string activeCam;
    SceneNode root; // its children hang below the RootNode
};

// The scene in the file format. Throws std::logic_error for a scene the
// reader would misread: a nested block whose closing key equals an enclosing
// one of the same tag, a name holding ":", "<" or ">", or a key that more
// than one header line holds.
std::string sceneText(const Scene& scene);

} // namespace scenegen
