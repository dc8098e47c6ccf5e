#include "scenegraph/root_node.h"

#include "app/window.h"
#include "scenegraph/camera_node.h"

#include <iostream>
#include <new>

namespace scenegraph {

RootNode::RootNode() : TransformationNode("ROOT", "RootNode") {}

RootNode::~RootNode() {
    deleteWindow();
    deleteCameras();
}

bool RootNode::isRoot() {
    return true;
}

void RootNode::update(double time) {
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (Node* child = children[i]) {
            child->update(time);
        }
    }
    if (activeCam != nullptr) {
        activeCam->cameraUpdate();
    }
}

void RootNode::updateFromParent(double time, const glm::mat4& parentMat) {
    Node::updateFromParent(time, parentMat);
    if (activeCam != nullptr) {
        activeCam->cameraUpdate();
    }
}

void RootNode::printTree(std::ostream& os, int depth) {
    printLine(os, "  ", depth);
    printChildren(os, depth);
    for (int i = 0; i <= depth; ++i) {
        os << "  ";
    }
    os << " ----- " << std::endl;
    for (CameraNode* camera : cameras) {
        camera->printTree(os, depth + 1);
    }
}

Window* RootNode::getWindow() {
    if (window == nullptr) {
        window = new (std::nothrow) Window();
    }
    return window;
}

void RootNode::setWindow(Window* newWindow) {
    if (newWindow == window) {
        return;
    }
    deleteWindow();
    window = newWindow;
}

void RootNode::clearScene() {
    deleteWindow();
    deleteCameras();
    deleteChildren();
}

void RootNode::deleteWindow() {
    delete window;
    window = nullptr;
}

void RootNode::deleteCameras() {
    for (CameraNode* camera : cameras) {
        camera->deleteChildren();
        delete camera;
    }
    cameras.clear();
    activeCam = nullptr;
}

void RootNode::addCamera(CameraNode* camera) {
    if (camera != nullptr) {
        cameras.push_back(camera);
    }
}

CameraNode* RootNode::getCamera(const std::string& cameraName) {
    for (CameraNode* camera : cameras) {
        if (camera->name == cameraName) {
            return camera;
        }
    }
    return nullptr;
}

bool RootNode::hasCamera(const std::string& cameraName) {
    return getCamera(cameraName) != nullptr;
}

void RootNode::setActiveCamera(const std::string& cameraName) {
    activeCamName = cameraName;
    if (CameraNode* camera = getCamera(cameraName)) {
        activeCam = camera;
    }
}

} // namespace scenegraph
