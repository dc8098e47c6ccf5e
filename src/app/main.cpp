#include "app/frame_objects.h"
#include "app/launch.h"
#include "app/level_steps.h"
#include "app/library_loop.h"
#include "app/loop_state.h"
#include "app/main_loop.h"
#include "app/score_keeping.h"
#include "app/screens/calibration_screen.h"
#include "app/screens/screen_loop.h"
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

constexpr int kRefused = 2;

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

// A passage that starts after the song's end has nothing to practise.
bool passageInSong(const game::PracticeRange& practice) {
    const std::optional<double> length = game::LevelSound::lengthOfSong(musicPath);
    if (length && practice.fromMs >= *length) {
        std::cerr << "cueflight: --practice starts at " << practice.fromMs / 1000.0
                  << " s, after the end of the song (" << *length / 1000.0 << " s)" << std::endl;
        return false;
    }
    return true;
}

// --calibrate: the calibration alone, then the game ends.
int calibrate(const PlayerConfig& playerConfig) {
    std::unique_ptr<Screen> calibration =
        openCalibration(playerConfig, ScreenName::Quit, std::cout, std::cerr);
    runScreen(*calibration);
    // Its texts are GL objects: they go while the context lives.
    calibration.reset();
    FrameObjects none;
    shutdown(none);
    return EXIT_SUCCESS;
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
    loop.playerConfig = launch.playerConfig;
    initWindow(launch.playerConfig);
    scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    if (!root->getWindow()->winOpen) {
        // Nothing past this point may run without a GL context.
        return EXIT_FAILURE;
    }
    initShaders();
    if (launch.start == CommandLine::Start::Calibration) {
        return calibrate(launch.playerConfig);
    }
    if (launch.library) {
        FrameObjects frameObjects;
        playLibrary(launch, loop, frameObjects);
        shutdown(frameObjects);
        return EXIT_SUCCESS;
    }
    if (launch.start == CommandLine::Start::Practice && !passageInSong(launch.practice)) {
        FrameObjects none;
        shutdown(none);
        return kRefused;
    }
    // The song is read and hashed before it starts to play; a practice is
    // never kept.
    const std::optional<ScoreKeeping> scoreKeeping =
        launch.start == CommandLine::Start::Practice
            ? std::nullopt
            : prepareScoreKeeping(scoresPath, musicPath, demoMode, offsetMs, std::cerr);
    loop.scoreKeeping = scoreKeeping ? &*scoreKeeping : nullptr;
    auto* level =
        new Level("level1", game::SongChoice{musicPath, static_cast<unsigned int>(songEndMs)});
    level->judgingOffsetMs = offsetMs;
    level->visualOffsetMs = visualOffsetMs;
    if (launch.start == CommandLine::Start::Practice) {
        level->practice = launch.practice;
        loop.practice = true;
    }
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
