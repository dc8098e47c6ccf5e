// Frame times of the song select screen at the size config.cfg asks for
// (1024 x 768): while the library walks a collection of 2,000 files (see
// song_tree.h) and charts real songs in the background, and once it has come
// to rest. Worst, 99th percentile and median of each, and the passes of a
// resting frame. The real songs are the OGG files of the folder given as the
// argument (Debian's wesnoth-1.16-music, say); without one only the walk and
// the hashing run.
// The player's folders go to a temporary home. Run under xvfb-run.

#include "app/frame_objects.h"
#include "app/library_loop.h"
#include "app/loop_state.h"
#include "app/pass_timings.h"
#include "app/settings.h"
#include "app/shader_setup.h"
#include "app/special_nodes.h"
#include "app/startup.h"
#include "app/window.h"
#include "game/world_scene.h"
#include "platform/glfw_compat.h"
#include "scenegraph/root_node.h"
#include "song_tree.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr double kBusyLimitSeconds = 120.0;
constexpr int kIdleFrames = 300;
// The first frames build the programs' variants and the texts: not the
// steady frame the player waits on.
constexpr int kWarmUpFrames = 10;

void report(const char* phase, std::vector<double> ms) {
    if (ms.empty()) {
        std::printf("%-5s no frames\n", phase);
        return;
    }
    std::sort(ms.begin(), ms.end());
    const auto at = [&](double share) {
        return ms[std::min(ms.size() - 1, static_cast<std::size_t>(share * ms.size()))];
    };
    std::printf("%-5s %5zu frames   worst %7.1f ms   p99 %7.1f ms   median %6.1f ms\n", phase,
                ms.size(), ms.back(), at(0.99), at(0.5));
}

} // namespace

int main(int argc, char** argv) {
    const fs::path scratch = fs::temp_directory_path() / "cueflight-bench";
    int songs = 0;
    const fs::path tree = benchtree::songTree(scratch, songs);
    const fs::path home = scratch / "frames-home";
    fs::remove_all(home);
    fs::create_directories(home);
    for (const char* variable : {"HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME"}) {
        setenv(variable, home.c_str(), 1);
    }
    std::vector<fs::path> folders{tree};
    if (argc > 1) {
        folders.emplace_back(argv[1]);
    }

    fs::current_path(CUEFLIGHT_RUN_DIR);
    setDefaultSettings();
    initWindow();
    scenegraph::RootNode* root = scenegraph::RootNode::getInstance();
    if (!root->getWindow()->winOpen) {
        std::fprintf(stderr, "no window: run under xvfb-run\n");
        return 1;
    }
    initShaders();
    game::loadWorldOnce();
    LoopState loop;
    FrameObjects objects;
    initSpecialNodes(objects.nodes, *root, loop.currentCamName);
    const Window* window = root->getWindow();
    createFrameObjects(objects, window->width, window->height);
    const LibraryStart start{folders, CUEFLIGHT_RUN_DIR, fs::path(CUEFLIGHT_RUN_DIR)};
    std::printf("select screen %dx%d over %d song files%s\n", window->width, window->height, songs,
                argc > 1 ? " and the songs to chart" : "");
    std::vector<double> busy;
    std::vector<double> idle;
    PassTimings passes;
    {
        LibraryFrames library(loop, objects, start);
        for (int i = 0; i < kWarmUpFrames; ++i) {
            library.frame();
        }
        const Clock::time_point began = Clock::now();
        while (library.busy() &&
               std::chrono::duration<double>(Clock::now() - began).count() < kBusyLimitSeconds) {
            const Clock::time_point frameStart = Clock::now();
            library.frame();
            busy.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - frameStart).count());
        }
        for (int i = 0; i < kIdleFrames; ++i) {
            const Clock::time_point frameStart = Clock::now();
            library.frame();
            idle.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - frameStart).count());
        }
        // Where a resting frame's time goes, in frames of their own: the
        // queries' waits stay out of the figures above.
        objects.timings = &passes;
        for (int i = 0; i < kIdleFrames / 10; ++i) {
            passes.begin();
            library.frame();
            passes.collect();
        }
        objects.timings = nullptr;
    }
    report("busy", busy);
    report("idle", idle);
    std::printf("a resting frame, pass by pass:\n");
    passes.print(stdout);
    return 0;
}
