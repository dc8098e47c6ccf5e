// The whole game as main runs it, with the default render switches and the
// demo playing, so hits, explosions and flashes are part of the cost:
//   bench_game_run [width height]
// at the size config.cfg asks for (1024 x 768) or the given one. Reports the
// time from start to the first drawn frame (and where it went: the time and
// the resident memory at the end of each start-up step, the first frame
// pass by pass), the frames per second of the
// game loop over the first kMeasuredSeconds of the song, the main thread's
// CPU time per frame, and the peak memory of the process; then, over the
// next kTimedSeconds, the mean time of every pass of a frame (GL timer
// queries for the drawing, the main thread's clock for the calls). The pass
// table comes after the figures above because its queries wait for every
// frame to finish. Run under xvfb-run (software rendering is what CI and
// most of us have); with GALLIUM_NOOP=1 the GL draws nothing and the CPU
// time per frame is the game's own.

#include "app/frame_objects.h"
#include "app/frame_passes.h"
#include "app/level_steps.h"
#include "app/loop_state.h"
#include "app/main_loop.h"
#include "app/pass_timings.h"
#include "app/settings.h"
#include "app/shader_setup.h"
#include "app/startup.h"
#include "app/window.h"
#include "frames/staged_run.h"
#include "game/level.h"
#include "game/level_manager.h"
#include "platform/glfw_compat.h"
#include "scenegraph/root_node.h"

#include <sys/resource.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr double kMeasuredSeconds = 20.0;
constexpr double kTimedSeconds = 10.0;

double wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

double threadCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

long peakResidentKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// The process's resident memory now, from /proc; 0 where there is none.
long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::atol(line.c_str() + 6);
        }
    }
    return 0;
}

// When each start-up step ended, printed with the figures: the driver's
// share of the start (its libraries, shader compiling at the first draw)
// shows apart from the loading.
struct StartupSteps {
    struct Step {
        const char* name;
        double seconds;
        long residentKiB;
    };
    double start = wallSeconds();
    std::vector<Step> steps;

    void end(const char* name) { steps.push_back({name, wallSeconds() - start, residentKiB()}); }
    void print() const {
        std::printf("start-up steps                 ends at   resident\n");
        for (const Step& step : steps) {
            std::printf("  %-28s %6.2f s %7.1f MiB\n", step.name, step.seconds,
                        step.residentKiB / 1024.0);
        }
    }
};

// The run folder, or a staged copy of it whose config.cfg asks for the
// size; returns the staged folder, to be removed at the end.
std::filesystem::path enterRunFolder(int argc, char** argv) {
    if (argc < 3) {
        std::filesystem::current_path(CUEFLIGHT_RUN_DIR);
        return {};
    }
    const std::filesystem::path stage =
        std::filesystem::temp_directory_path() / ("bench_game_run_" + std::to_string(getpid()));
    frames::stageRunFolder(CUEFLIGHT_RUN_DIR, stage, std::atoi(argv[1]), std::atoi(argv[2]));
    std::filesystem::current_path(stage);
    return stage;
}

struct Game {
    LoopState loop;
    FrameObjects objects;
    Level* level = nullptr;
    std::ostringstream quiet; // the accuracy line is not what this measures

    // One pass of the main loop without its key commands.
    void pass() {
        platform::glfwGetMousePos(&loop.mouseX, &loop.mouseY);
        loop.now = platform::glfwGetTime();
        const double elapsed = loop.now - loop.lastTime;
        followLevel(loop, *level, quiet);
        if (!loop.paused) {
            updateFrame(loop, elapsed);
        }
        markPass(objects.timings, "update (impostor included)");
        renderFrame(loop, objects, elapsed);
        loop.lastTime = loop.now;
    }
};

} // namespace

int main(int argc, char** argv) {
    StartupSteps startup;
    const std::filesystem::path stage = enterRunFolder(argc, argv);
    setDefaultSettings();
    Game game;
    initWindow();
    startup.end("window and GL context");
    scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    if (!root->getWindow()->winOpen) {
        std::fprintf(stderr, "no window: run under xvfb-run\n");
        return 1;
    }
    demoMode = true;
    initShaders();
    startup.end("shader programs");
    game.level = new Level("level1");
    game.level->init();
    util::LevelManager::getInstance()->addLevel(game.level);
    startup.end("level (scene, models, cues)");
    initSpecialNodes(game.objects.nodes, *root, game.loop.currentCamName);
    const Window* window = root->getWindow();
    createFrameObjects(game.objects, window->width, window->height);
    game.objects.debris.arrays = &game.level->debris;
    startDemo(game.loop, *root);
    startup.end("frame objects");

    int frames = 0;
    PassTimings firstFramePasses;
    const double cpuStart = threadCpuSeconds();
    while (platform::glfwGetTime() < kMeasuredSeconds) {
        if (frames++ == 0) {
            game.objects.timings = &firstFramePasses;
            firstFramePasses.begin();
            game.pass();
            glFinish();
            firstFramePasses.collect();
            game.objects.timings = nullptr;
            startup.end("first frame drawn");
        } else {
            game.pass();
        }
    }
    const double cpuMs = 1000.0 * (threadCpuSeconds() - cpuStart) / frames;
    const double played = platform::glfwGetTime();
    std::printf("whole game %dx%d, default switches, demo playing\n", window->width,
                window->height);
    std::printf("  start to first drawn frame: %8.2f s\n", startup.steps.back().seconds);
    std::printf("  frames per second:          %8.2f (%d frames in %.1f s of song)\n",
                frames / played, frames, played);
    std::printf("  main thread CPU per frame:  %8.2f ms\n", cpuMs);
    std::printf("  cues hit so far:            %8d\n", game.level->hitCount());
    std::printf("  peak resident memory:       %8.1f MiB\n", peakResidentKiB() / 1024.0);

    startup.print();
    std::printf("the first frame, pass by pass\n");
    firstFramePasses.print(stdout);

    PassTimings timings;
    game.objects.timings = &timings;
    while (platform::glfwGetTime() < kMeasuredSeconds + kTimedSeconds) {
        timings.begin();
        game.pass();
        timings.collect();
    }
    std::printf("mean time per frame of each pass, %.0f to %.0f s of the song\n", kMeasuredSeconds,
                kMeasuredSeconds + kTimedSeconds);
    timings.print(stdout);
    game.objects.timings = nullptr;
    std::cout.flush();
    shutdown(game.objects);
    if (!stage.empty()) {
        std::filesystem::remove_all(stage);
    }
    return 0;
}
