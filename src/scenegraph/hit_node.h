#pragma once

#include "scenegraph/object_node.h"

#include <glm/glm.hpp>

namespace scenegraph {

// A piece of geometry the player can click on. It carries a unique picking
// colour and takes one matching click.
class HitNode : public ObjectNode {
public:
    // Takes the next picking colour and writes it into the geometry, if any.
    HitNode(std::string name, model::OBJ* geom);

    // Compares the picked pixel with this node's colour; a match marks the
    // node, its ancestors and its geometry and makes the node unhittable.
    void checkHit(const unsigned char rgb[3]) override;
    virtual void setHitable(bool canBeHit);

    glm::vec3 color = glm::vec3(0.0f); // picking colour, whole numbers 0..255
    bool hitable = true;               // still accepts a click

private:
    bool matches(const unsigned char rgb[3]) const;
};

} // namespace scenegraph
