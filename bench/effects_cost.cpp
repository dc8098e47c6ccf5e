// What the screen-space effects cost: wall time per frame of the game's
// world (the level's scene, cues, debris and particles, the camera flying
// the path) at 1024 x 768 with FULL RENDER alone, with FULL RENDER plus each
// effect on its own, and with every switch on, all in one run. The world
// moves on once per step and every configuration draws that same step, so
// they are all measured on the same views of the path; a machine whose load
// changes during the run spreads that change over all of them. Each figure
// is the best round's mean. Besides wall time, the main thread's CPU time is
// shown: with LP_NUM_THREADS=0 llvmpipe rasterises on that thread, and CPU
// time is then a steadier measure of the work than wall time on a busy
// machine. Run from anywhere under Xvfb: bench_effects_cost [word]; with a
// word, only the configurations whose name contains it run besides FULL
// RENDER alone.

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

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kRounds = 4;
constexpr int kFramesPerRound = 6;
constexpr double kFrameTime = 1.0 / 60.0;

struct Configuration {
    std::string name;
    RenderFlags flags;
    double bestMs = std::numeric_limits<double>::max();    // wall time
    double bestCpuMs = std::numeric_limits<double>::max(); // main thread's CPU time
    // The view this configuration last blurred from: each blurs the camera's
    // motion since its own previous frame, not since another's.
    glm::mat4 blurredView = glm::mat4(1.0f);
};

struct FrameCost {
    double wallMs;
    double cpuMs;
};

RenderFlags fullRenderWith(std::initializer_list<RenderFlag> extra) {
    RenderFlags flags{};
    flags[FullRender] = true;
    for (RenderFlag flag : extra) {
        flags[flag] = true;
    }
    return flags;
}

double nowSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// The window at the benchmark's size, the programs, the level and the frame
// objects, as main makes them.
bool openWorld(LoopState& loop, FrameObjects& objects, Level& level) {
    std::filesystem::current_path(CUEFLIGHT_RUN_DIR);
    setDefaultSettings();
    initWindow();
    scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    if (!root->getWindow()->winOpen) {
        return false;
    }
    initShaders();
    level.init();
    Window* window = root->getWindow();
    window->width = kWidth;
    window->height = kHeight;
    window->changed = true;
    initSpecialNodes(objects.nodes, *root, loop.currentCamName);
    createFrameObjects(objects, kWidth, kHeight);
    objects.debris.arrays = &level.debris;
    loop.mouseX = kWidth / 2;
    loop.mouseY = kHeight / 2;
    return true;
}

// Moves the world on by one frame: the level's flight, the light, the scene.
void advanceWorld(LoopState& loop, Level& level) {
    level.update();
    loop.lightPosition = glm::vec3(level.pathPosition) + lightOffsetFromPath;
    Light::getInstance()->update(loop.lightPosition, kFrameTime);
    scenegraph::RootNode::getInstance()->update(kFrameTime);
}

// Cost of drawing one frame, the GL work included.
FrameCost measureFrame(LoopState& loop, FrameObjects& objects) {
    glFinish();
    const double start = nowSeconds();
    const double cpuStart = threadCpuSeconds();
    renderFrame(loop, objects, kFrameTime);
    glFinish();
    return {1000.0 * (nowSeconds() - start), 1000.0 * (threadCpuSeconds() - cpuStart)};
}

// One round: every configuration draws each of a few steps of the world,
// twice, and the second draw is measured.
// The first round only settles the switches (shader variants are built on
// first use) and is not counted.
void runRound(std::vector<Configuration>& configurations, LoopState& loop, FrameObjects& objects,
              Level& level, bool counted, std::ostringstream& quiet) {
    std::vector<FrameCost> sums(configurations.size(), FrameCost{0.0, 0.0});
    for (int frame = 0; frame < kFramesPerRound; ++frame) {
        advanceWorld(loop, level);
        for (std::size_t i = 0; i < configurations.size(); ++i) {
            Configuration& configuration = configurations[i];
            loop.renderFlags = configuration.flags;
            // The first draw brings this configuration's data back into the
            // caches after the others; the game, too, draws one
            // configuration frame after frame. Both blur the same motion.
            objects.effects.motionBlur.viewMatOld = configuration.blurredView;
            renderFrame(loop, objects, kFrameTime);
            objects.effects.motionBlur.viewMatOld = configuration.blurredView;
            const FrameCost cost = measureFrame(loop, objects);
            configuration.blurredView = objects.effects.motionBlur.viewMatOld;
            sums[i].wallMs += cost.wallMs;
            sums[i].cpuMs += cost.cpuMs;
        }
        quiet.str("");
    }
    if (!counted) {
        return;
    }
    for (std::size_t i = 0; i < configurations.size(); ++i) {
        configurations[i].bestMs =
            std::min(configurations[i].bestMs, sums[i].wallMs / kFramesPerRound);
        configurations[i].bestCpuMs =
            std::min(configurations[i].bestCpuMs, sums[i].cpuMs / kFramesPerRound);
    }
}

} // namespace

int main(int argc, char** argv) {
    LoopState loop;
    FrameObjects objects;
    platform::InputState input;
    input.mouseX = kWidth / 2;
    input.mouseY = kHeight / 2;
    platform::useScriptedInput(&input);
    // Quiet: the game's messages and the motion blur's five lines a frame.
    std::ostringstream quiet;
    std::streambuf* console = std::cout.rdbuf(quiet.rdbuf());
    Level level("level1");
    if (!openWorld(loop, objects, level)) {
        std::cout.rdbuf(console);
        std::fprintf(stderr, "no window: run under xvfb-run\n");
        return 1;
    }
    std::vector<Configuration> configurations{
        {"FULL RENDER alone", fullRenderWith({})},
        {"+ LIGHTSHAFTS", fullRenderWith({Lightshafts})},
        {"+ BLOOM", fullRenderWith({Bloom})},
        {"+ LENSFLARE", fullRenderWith({Lensflare})},
        {"+ MOTION BLUR", fullRenderWith({MotionBlur})},
        {"all switches on",
         RenderFlags{true, true, true, true, true, true, true, true, true, true}},
    };
    if (argc > 1) {
        std::vector<Configuration> chosen{configurations.front()};
        for (std::size_t i = 1; i < configurations.size(); ++i) {
            if (configurations[i].name.find(argv[1]) != std::string::npos) {
                chosen.push_back(configurations[i]);
            }
        }
        configurations = chosen;
    }
    for (int round = 0; round <= kRounds; ++round) {
        runRound(configurations, loop, objects, level, round > 0, quiet);
    }
    std::cout.rdbuf(console);
    std::printf("frame time at %dx%d, best of %d rounds of %d frames\n", kWidth, kHeight, kRounds,
                kFramesPerRound);
    std::printf("  %-20s %10s %10s\n", "", "wall", "CPU");
    for (const Configuration& configuration : configurations) {
        std::printf("  %-20s %7.1f ms %7.1f ms\n", configuration.name.c_str(), configuration.bestMs,
                    configuration.bestCpuMs);
    }
    const Configuration& last = configurations.back();
    const Configuration& first = configurations.front();
    std::printf("%s / FULL RENDER alone: wall %.2f, CPU %.2f\n", last.name.c_str(),
                last.bestMs / first.bestMs, last.bestCpuMs / first.bestCpuMs);
    platform::useScriptedInput(nullptr);
    level.destroy();
    return 0;
}
