#pragma once

#include "scenegraph/node.h"

namespace model {
class OBJ;
}

namespace scenegraph {

// Places a piece of geometry in the tree. It has no transformation of its own:
// the geometry and the children are placed with the parent's matrix.
class ObjectNode : public Node {
public:
    // The geometry is not owned: the level or the scene file keeps it. Null is
    // allowed; such a node only updates and draws its children.
    ObjectNode(std::string name, std::string type, model::OBJ* geom);

    void update(double time) override;
    void updateFromParent(double time, const glm::mat4& parentMat) override;
    // Draws the geometry, then every child whatever its status; nothing at
    // all while drawStatus is 0.
    void draw(const glm::mat4* viewMat, const glm::mat4* projMat, ShaderProgram* program,
              int filterMode, int mipmapMode) override;
    virtual model::OBJ* getGeomObj();

    model::OBJ* geomObj;                     // drawn by this node; not owned
    glm::mat4 modelMatrix = glm::mat4(1.0f); // the matrix last handed to the geometry
};

} // namespace scenegraph
