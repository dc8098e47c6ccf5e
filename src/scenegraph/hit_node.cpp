#include "scenegraph/hit_node.h"

#include "model/obj.h"
#include "util/color_counter.h"

#include <utility>

namespace scenegraph {

HitNode::HitNode(std::string name, model::OBJ* geom)
    : ObjectNode(std::move(name), "HitNode", geom) {
    const util::ColorCounter::Color next = util::ColorCounter::getInstance()->next();
    color = glm::vec3(next[0], next[1], next[2]);
    if (geomObj != nullptr) {
        geomObj->color = color / 255.0f;
    }
}

void HitNode::checkHit(const unsigned char rgb[3]) {
    if (!hitable) {
        return;
    }
    m_isHit = matches(rgb);
    if (!m_isHit) {
        return;
    }
    if (parent != nullptr) {
        parent->setHit(true);
    }
    if (geomObj != nullptr) {
        geomObj->setHit(true);
    }
    hitable = false;
}

bool HitNode::matches(const unsigned char rgb[3]) const {
    return color.r == rgb[0] && color.g == rgb[1] && color.b == rgb[2];
}

void HitNode::setHitable(bool canBeHit) {
    hitable = canBeHit;
}

} // namespace scenegraph
