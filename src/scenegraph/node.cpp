#include "scenegraph/node.h"

#include <algorithm>
#include <iostream>
#include <utility>

namespace scenegraph {

Node::Node(std::string name, std::string type) : name(std::move(name)), type(std::move(type)) {}

Node::~Node() {
    deleteChildren();
    parent = nullptr;
}

bool Node::isRoot() {
    return false;
}

void Node::update(double time) {
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (Node* child = children[i]) {
            child->update(time);
        }
    }
}

void Node::updateFromParent(double time, const glm::mat4& parentMat) {
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (Node* child = children[i]) {
            child->updateFromParent(time, parentMat);
        }
    }
}

void Node::draw(const glm::mat4* viewMat, const glm::mat4* projMat, ShaderProgram* program,
                int filterMode, int mipmapMode) {
    if (status > STATUS_DRAWABLE_MAX) {
        return;
    }
    drawChildren(viewMat, projMat, program, filterMode, mipmapMode, false);
}

void Node::drawChildren(const glm::mat4* viewMat, const glm::mat4* projMat, ShaderProgram* program,
                        int filterMode, int mipmapMode, bool honourResets) {
    std::size_t i = 0;
    while (i < children.size()) {
        Node* child = children[i];
        if (child != nullptr) {
            if (child->getStatus() == STATUS_ACTIVE) {
                child->draw(viewMat, projMat, program, filterMode, mipmapMode);
            } else if (honourResets && child->getStatus() == STATUS_RESET) {
                child->reset();
                child->status = STATUS_ACTIVE;
            }
            removeIfRequested(child);
        }
        // A removed child closes the gap; its successor now sits at i and
        // must not be skipped for this frame.
        if (i < children.size() && children[i] == child) {
            ++i;
        }
    }
}

void Node::removeIfRequested(Node* child) {
    if (child->getStatus() == STATUS_REMOVE) {
        child->deleteChildren();
        removeChild(child);
    }
}

void Node::setHit(bool hit) {
    m_isHit = hit;
    if (parent != nullptr) {
        parent->setHit(hit);
    }
}

void Node::checkHit(const unsigned char rgb[3]) {
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (Node* child = children[i]) {
            child->checkHit(rgb);
        }
    }
}

void Node::deleteChildren() {
    if (parent != nullptr) {
        parent->removeChild(this);
        parent = nullptr;
    }
    while (!children.empty()) {
        Node* child = children.front();
        children.erase(children.begin());
        if (child != nullptr) {
            child->deleteChildren();
            delete child;
        }
    }
}

int Node::getStatus() {
    return status;
}

Node* Node::findNode(const std::string& searchName) {
    for (std::size_t i = 0; i < children.size(); ++i) {
        Node* child = children[i];
        if (child == nullptr) {
            continue;
        }
        if (child->name == searchName) {
            return child;
        }
        if (Node* found = child->findNode(searchName)) {
            return found;
        }
    }
    return nullptr;
}

bool Node::isHit() {
    return m_isHit;
}

void Node::printTree(std::ostream& os, int depth) {
    printLine(os, "\t", depth);
    printChildren(os, depth);
}

void Node::printLine(std::ostream& os, const std::string& indent, int depth) {
    for (int i = 0; i <= depth; ++i) {
        os << indent;
    }
    os << type << " : " << name << "  ( " << children.size() << " children) " << std::endl;
}

void Node::printChildren(std::ostream& os, int depth) {
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (Node* child = children[i]) {
            child->printTree(os, depth + 1);
        }
    }
}

std::string Node::getType() {
    return type;
}

void Node::setDrawStatus(int newDrawStatus) {
    drawStatus = newDrawStatus;
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (Node* child = children[i]) {
            child->setDrawStatus(newDrawStatus);
        }
    }
}

int Node::getDrawStatus() {
    return drawStatus;
}

void Node::setDrawMode(int newDrawMode) {
    drawMode = newDrawMode;
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (Node* child = children[i]) {
            child->setDrawMode(newDrawMode);
        }
    }
}

int Node::getDrawMode() {
    return drawMode;
}

void Node::reset() {
    std::cout << "reset.... " << std::endl;
}

void Node::addChild(Node* child) {
    if (child == nullptr || child == this) {
        return;
    }
    if (child->parent != nullptr) {
        child->parent->removeChild(child);
    }
    child->parent = this;
    children.push_back(child);
}

void Node::removeChild(Node* child) {
    auto it = std::find(children.begin(), children.end(), child);
    if (it == children.end()) {
        return;
    }
    children.erase(it);
    // A stale back link would let the child later reach a parent that may
    // already be gone.
    if (child->parent == this) {
        child->parent = nullptr;
    }
}

int Node::getChildCount(bool recursive) const {
    int count = static_cast<int>(children.size());
    if (recursive) {
        for (const Node* child : children) {
            if (child != nullptr) {
                count += child->getChildCount(true);
            }
        }
    }
    return count;
}

} // namespace scenegraph
