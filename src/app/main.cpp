#include "app/frame_objects.h"
#include "app/launch.h"
#include "app/level_steps.h"
#include "app/library_loop.h"
#include "app/loop_state.h"
#include "app/main_loop.h"
#include "app/score_keeping.h"
#include "app/settings.h"
#include "app/shader_setup.h"
#include "app/startup.h"
#include "app/window.h"
#include "game/level.h"
#include "game/level_manager.h"
#include "game/world_scene.h"
#include "platform/allocator.h"
#include "scenegraph/root_node.h"

#include <cstdlib>
#include <iostream>

namespace {

// The song library: its select screen in the world it loads, and the songs
// played from it one after another.
void playLibrary(const Launch& launch, LoopState& loop, FrameObjects& frameObjects) {
    scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    game::loadWorldOnce();
    initSpecialNodes(frameObjects.nodes, *root, loop.currentCamName);
    const Window* window = root->getWindow();
    createFrameObjects(frameObjects, window->width, window->height);
    runLibrary(loop, frameObjects,
               LibraryStart{launch.libraryFolders, launch.runFolder, launch.programFolder});
}

} // namespace

int main(int argc, char** argv) {
    Launch launch;
    if (std::optional<int> status = prepareLaunch(argc, argv, launch, std::cout, std::cerr)) {
        return *status;
    }
    platform::keepLargeAllocationsInHeap();
    setDefaultSettings();
    LoopState loop;
    initWindow(launch.playerConfig);
    scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    if (!root->getWindow()->winOpen) {
        // Nothing past this point may run without a GL context.
        return EXIT_FAILURE;
    }
    initShaders();
    if (launch.library) {
        FrameObjects frameObjects;
        playLibrary(launch, loop, frameObjects);
        shutdown(frameObjects);
        return EXIT_SUCCESS;
    }
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
