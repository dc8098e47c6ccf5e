#include "app/frame_objects.h"
#include "app/launch.h"
#include "app/level_steps.h"
#include "app/loop_state.h"
#include "app/main_loop.h"
#include "app/score_keeping.h"
#include "app/settings.h"
#include "app/shader_setup.h"
#include "app/startup.h"
#include "app/window.h"
#include "game/level.h"
#include "game/level_manager.h"
#include "platform/allocator.h"
#include "scenegraph/root_node.h"

#include <cstdlib>
#include <iostream>

int main(int argc, char** argv) {
    PlayerConfig playerConfig;
    if (std::optional<int> status = prepareLaunch(argc, argv, playerConfig, std::cout, std::cerr)) {
        return *status;
    }
    platform::keepLargeAllocationsInHeap();
    setDefaultSettings();
    LoopState loop;
    initWindow(playerConfig);
    scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    if (!root->getWindow()->winOpen) {
        // Nothing past this point may run without a GL context.
        return EXIT_FAILURE;
    }
    initShaders();
    // The song is read and hashed before it starts to play.
    const std::optional<ScoreKeeping> scoreKeeping =
        prepareScoreKeeping(scoresPath, musicPath, demoMode, offsetMs, std::cerr);
    loop.scoreKeeping = scoreKeeping ? &*scoreKeeping : nullptr;
    auto* level =
        new Level("level1", game::SongChoice{musicPath, static_cast<unsigned int>(songEndMs)});
    level->judgingOffsetMs = offsetMs;
    level->init();
    util::LevelManager::getInstance()->addLevel(level);
    FrameObjects frameObjects;
    initSpecialNodes(frameObjects.nodes, *root, loop.currentCamName);
    const Window* window = root->getWindow();
    createFrameObjects(frameObjects, window->width, window->height);
    frameObjects.debris.arrays = &level->debris;
    if (demoMode) {
        startDemo(loop, *root);
    }
    runMainLoop(loop, frameObjects);
    shutdown(frameObjects);
    return EXIT_SUCCESS;
}
