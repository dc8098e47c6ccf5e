// Frames per second of the full render of the game's world (the level's
// scene, cues, debris and particles, flown along the path) at the size
// config.cfg asks for (1024 x 768), with the default render switches, and the
// main thread's CPU time per frame. Run from anywhere; it works in the run
// folder. Under llvmpipe the rasterising happens on Mesa's worker threads,
// so the main thread's CPU time is the game's own work plus the GL front end;
// run it a second time with GALLIUM_NOOP=1 (Mesa drops every draw) to see the
// CPU side alone, without any rendering behind it.

#include "app/frame_objects.h"
#include "app/frame_passes.h"
#include "app/level_steps.h"
#include "app/loop_state.h"
#include "app/settings.h"
#include "app/shader_setup.h"
#include "app/startup.h"
#include "app/window.h"
#include "game/level.h"
#include "platform/glfw_compat.h"
#include "render/light.h"
#include "scenegraph/root_node.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>

namespace {

constexpr int kWarmUpFrames = 20;
constexpr int kMeasuredFrames = 200;

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

double wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

int main() {
    std::filesystem::current_path(CUEFLIGHT_RUN_DIR);
    setDefaultSettings();
    initWindow();
    scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    Window* window = root->getWindow();
    if (!window->winOpen) {
        std::fprintf(stderr, "no window: run under xvfb-run\n");
        return 1;
    }
    const int width = window->width;
    const int height = window->height;
    initShaders();
    Level level("level1");
    level.init();
    // The scene file carries its own window record; the open window's size counts.
    window = root->getWindow();
    window->width = width;
    window->height = height;
    window->changed = true;

    LoopState loop;
    FrameObjects objects;
    initSpecialNodes(objects.nodes, *root, loop.currentCamName);
    createFrameObjects(objects, width, height);
    objects.debris.arrays = &level.debris;
    // The mouse rests at the window's centre: no look, no click.
    platform::InputState input;
    input.mouseX = width / 2;
    input.mouseY = height / 2;
    loop.mouseX = input.mouseX;
    loop.mouseY = input.mouseY;
    platform::useScriptedInput(&input);

    const double frameTime = 1.0 / 60.0;
    auto frame = [&] {
        level.update();
        loop.lightPosition = glm::vec3(level.pathPosition) + lightOffsetFromPath;
        Light::getInstance()->update(loop.lightPosition, frameTime);
        root->update(frameTime);
        renderFrame(loop, objects, frameTime);
    };
    for (int i = 0; i < kWarmUpFrames; ++i) {
        frame();
    }
    glFinish();
    const double wallStart = wallSeconds();
    const double cpuStart = threadCpuSeconds();
    for (int i = 0; i < kMeasuredFrames; ++i) {
        frame();
    }
    glFinish();
    const double wall = wallSeconds() - wallStart;
    const double cpu = threadCpuSeconds() - cpuStart;
    std::printf("full render %dx%d, default switches, %d frames\n", width, height, kMeasuredFrames);
    std::printf("  frames per second:              %8.2f\n", kMeasuredFrames / wall);
    std::printf("  wall time per frame:            %8.3f ms\n", 1000.0 * wall / kMeasuredFrames);
    std::printf("  main-thread CPU time per frame: %8.3f ms\n", 1000.0 * cpu / kMeasuredFrames);
    platform::useScriptedInput(nullptr);
    level.destroy();
    return 0;
}
