#pragma once

#include "animation/animation.h"

#include <string>

namespace model {
class OBJ;
}

namespace scenegraph {
class Node;
class RootNode;
} // namespace scenegraph

// The scene's models that the passes switch on and off by hand. A name the
// scene lacks leaves its pointer null and the passes that need it skip it.
struct SpecialNodes {
    model::OBJ* crosshair = nullptr; // drawn last, over everything, where the mouse is
    model::OBJ* moon = nullptr;      // the light-shaft source
    model::OBJ* plane = nullptr;     // the one model drawn by the screen-space effects
    // A click scales the crosshair up and lets it shrink back: the pulse.
    animation::Animation crosshairAnimation;
};

// The model of the ObjectNode called name below the root, or null.
model::OBJ* findModel(scenegraph::Node& root, const std::string& name);

// Looks up the crosshair, the moon and the plane, gives the crosshair its
// resting size and its pulse, and copies the active camera's name for the C
// key.
void initSpecialNodes(SpecialNodes& nodes, scenegraph::RootNode& root, std::string& currentCamName);

// The scene node holding the visible world, looked up each time it is needed.
scenegraph::Node* findUniversum();
