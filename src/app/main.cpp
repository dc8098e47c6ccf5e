#include "app/loop_state.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "app/startup.h"
#include "app/window.h"
#include "platform/allocator.h"
#include "scenegraph/root_node.h"

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
    loop.currentCamName = root->activeCamName;
    runMainLoop(loop);
    shutdown();
    return EXIT_SUCCESS;
}
