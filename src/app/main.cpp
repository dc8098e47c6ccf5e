#include "app/frame_objects.h"
#include "app/loop_state.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "app/shader_setup.h"
#include "app/startup.h"
#include "app/window.h"
#include "platform/allocator.h"
#include "scenegraph/root_node.h"
#include "scenegraph/scene_reader.h"

#include <cstdlib>

int main() {
    platform::keepLargeAllocationsInHeap();
    setDefaultSettings();
    LoopState loop;
    initWindow();
    scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    if (!root->getWindow()->winOpen) {
        // Nothing past this point may run without a GL context.
        return EXIT_FAILURE;
    }
    initShaders();
    // The world the level plays in; the level's set-up takes this over.
    scenegraph::loadScene("Scenes/testscene.scene");
    FrameObjects frameObjects;
    initSpecialNodes(frameObjects.nodes, *root, loop.currentCamName);
    const Window* window = root->getWindow();
    createFrameObjects(frameObjects, window->width, window->height);
    runMainLoop(loop, frameObjects);
    shutdown(frameObjects);
    return EXIT_SUCCESS;
}
