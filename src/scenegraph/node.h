#pragma once

#include <glm/glm.hpp>

#include <ostream>
#include <string>
#include <vector>

// Drawing programs live with the shader collection; nodes only pass them on.
class ShaderProgram;

namespace scenegraph {

// Life-cycle values of Node::status shared by the game, culling and drawing.
constexpr int STATUS_ACTIVE = 1;
constexpr int STATUS_HIDDEN = 3;       // skipped by the parent's draw this frame
constexpr int STATUS_RESET = 4;        // a TransformationNode parent resets the child
constexpr int STATUS_REMOVE = 5;       // the parent detaches the child and empties it
constexpr int STATUS_DRAWABLE_MAX = 2; // own status up to this value is drawable

// A named, typed tree node that owns its children. The frame loop walks the
// tree through the virtual operations below; their order is the order of the
// class's virtual-function table and must stay so.
class Node {
public:
    Node(std::string name, std::string type);
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;

    virtual ~Node();
    virtual bool isRoot();
    virtual void update(double time);
    virtual void updateFromParent(double time, const glm::mat4& parentMat);
    virtual void draw(const glm::mat4* viewMat, const glm::mat4* projMat, ShaderProgram* program,
                      int filterMode, int mipmapMode);
    virtual void setHit(bool hit);
    virtual void checkHit(const unsigned char rgb[3]);
    virtual void deleteChildren();
    virtual int getStatus();
    virtual Node* findNode(const std::string& searchName);
    virtual bool isHit();
    virtual void printTree(std::ostream& os, int depth);
    virtual std::string getType();
    virtual void setDrawStatus(int newDrawStatus);
    virtual int getDrawStatus();
    virtual void setDrawMode(int newDrawMode);
    virtual int getDrawMode();
    virtual void reset();

    std::string getName() const { return name; }
    // Moves the child here from whatever list held it before.
    void addChild(Node* child);
    // Detaches without deleting; unknown pointers are ignored.
    void removeChild(Node* child);
    int getChildCount(bool recursive) const;

    int status = STATUS_ACTIVE;  // set by the game and culling, read by the parent's draw
    Node* parent = nullptr;      // back link for setHit and detaching; not owned
    int drawStatus = 1;          // 0 switches off drawing of this whole subtree
    int drawMode = 0;            // handed to the shaders by model drawing
    std::string name;            // what findNode searches for
    std::string type;            // class word shown by printTree and the scene file
    std::vector<Node*> children; // owned; a vector so per-frame walks are index loops
    bool m_isHit = false;        // this node or one below it was picked

protected:
    // The draw walk shared by Node and TransformationNode; only the latter
    // honours reset requests.
    void drawChildren(const glm::mat4* viewMat, const glm::mat4* projMat, ShaderProgram* program,
                      int filterMode, int mipmapMode, bool honourResets);
    void printLine(std::ostream& os, const std::string& indent, int depth);
    void printChildren(std::ostream& os, int depth);

private:
    // Acts on a removal request after the child's turn in the draw walk.
    void removeIfRequested(Node* child);
};

} // namespace scenegraph
