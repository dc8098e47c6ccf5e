#include "game/world_scene.h"

#include "app/window.h"
#include "game/run_folder.h"
#include "scenegraph/root_node.h"
#include "scenegraph/scene_reader.h"

namespace game {

void loadWorldOnce() {
    scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    if (root->findNode(kUniverseNode) != nullptr) {
        return;
    }
    const Window* before = root->getWindow();
    const int width = before->width;
    const int height = before->height;
    const bool open = before->winOpen;
    scenegraph::loadScene(kScenePath);
    Window* window = root->getWindow();
    window->width = width;
    window->height = height;
    window->winOpen = open;
    window->changed = true;
}

} // namespace game
