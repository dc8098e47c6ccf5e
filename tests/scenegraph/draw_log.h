#pragma once

#include "scenegraph/transformation_node.h"

#include <string>
#include <vector>

// Test double: a TransformationNode that writes its name into a shared log
// when drawn, so tests can see which nodes a walk reached and in what order.
class LoggingNode : public scenegraph::TransformationNode {
public:
    LoggingNode(const std::string& name, std::vector<std::string>* log)
        : TransformationNode(name, "LoggingNode"), log(log) {}

    void draw(const glm::mat4* viewMat, const glm::mat4* projMat, ShaderProgram* program,
              int filterMode, int mipmapMode) override {
        log->push_back(name);
        TransformationNode::draw(viewMat, projMat, program, filterMode, mipmapMode);
    }

    void reset() override {
        log->push_back("reset " + name);
        TransformationNode::reset();
    }

private:
    std::vector<std::string>* log;
};

// Hangs child under parent and hands it back, so a test builds its tree in
// one line per node.
template <class T> T* adopt(scenegraph::Node& parent, T* child) {
    parent.addChild(child);
    return child;
}

// Runs one draw pass with neutral arguments; nodes only pass them on.
inline void drawOnce(scenegraph::Node& node) {
    const glm::mat4 identity(1.0f);
    node.draw(&identity, &identity, nullptr, 2, 12);
}
