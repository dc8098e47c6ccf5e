// The whole game as main runs it, at the size config.cfg asks for (1024 x 768)
// with the default render switches: the time from start to the first drawn
// frame, the frames per second of the game loop (level, demo player, light,
// scene, animations, particles and the full render) over the first
// kMeasuredSeconds of the song, and the peak memory of the process. The demo
// plays meanwhile, so hits, explosions and flashes are part of the cost.
// Run under xvfb-run (software rendering is what CI and most of us have).

#include "app/frame_objects.h"
#include "app/frame_passes.h"
#include "app/level_steps.h"
#include "app/loop_state.h"
#include "app/main_loop.h"
#include "app/settings.h"
#include "app/shader_setup.h"
#include "app/startup.h"
#include "app/window.h"
#include "game/level.h"
#include "game/level_manager.h"
#include "platform/glfw_compat.h"
#include "scenegraph/root_node.h"

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <sstream>

namespace {

constexpr double kMeasuredSeconds = 20.0;

double wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

} // namespace

int main() {
    const double start = wallSeconds();
    std::filesystem::current_path(CUEFLIGHT_RUN_DIR);
    setDefaultSettings();
    LoopState loop;
    initWindow();
    scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    if (!root->getWindow()->winOpen) {
        std::fprintf(stderr, "no window: run under xvfb-run\n");
        return 1;
    }
    demoMode = true;
    initShaders();
    auto* level = new Level("level1");
    level->init();
    util::LevelManager::getInstance()->addLevel(level);
    FrameObjects objects;
    initSpecialNodes(objects.nodes, *root, loop.currentCamName);
    const Window* window = root->getWindow();
    createFrameObjects(objects, window->width, window->height);
    objects.debris.arrays = &level->debris;
    startDemo(loop, *root);

    std::ostringstream quiet; // the accuracy line is not what this measures
    int frames = 0;
    double firstFrame = 0.0;
    while (platform::glfwGetTime() < kMeasuredSeconds) {
        platform::glfwGetMousePos(&loop.mouseX, &loop.mouseY);
        loop.now = platform::glfwGetTime();
        const double elapsed = loop.now - loop.lastTime;
        followLevel(loop, *level, quiet);
        if (!loop.paused) {
            updateFrame(loop, elapsed);
        }
        renderFrame(loop, objects, elapsed);
        loop.lastTime = loop.now;
        if (frames++ == 0) {
            glFinish();
            firstFrame = wallSeconds() - start;
        }
    }
    const double played = platform::glfwGetTime();
    std::printf("whole game %dx%d, default switches, demo playing\n", window->width,
                window->height);
    std::printf("  start to first drawn frame: %8.2f s\n", firstFrame);
    std::printf("  frames per second:          %8.2f (%d frames in %.1f s of song)\n",
                frames / played, frames, played);
    std::printf("  cues hit so far:            %8d\n", level->hitCount());
    std::printf("  peak resident memory:       %8.1f MiB\n", peakResidentKiB() / 1024.0);
    std::cout.flush();
    shutdown(objects);
    return 0;
}
