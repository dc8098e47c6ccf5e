// Where the demo's clicks fall with the machine's speed taken out: the whole
// shipped song is played with the clock stepped by a fixed frame time (the
// song moves on exactly that much a frame, as at a perfectly steady frame
// rate), the demo clicking on the beat through the picking pass as in the
// game, in a window of the given size. Prints the lines the game prints at
// the song's end (accuracy, timing, early clicks). With "earliest" the demo
// clicks as soon as each window opens, as it did before it aimed for the
// beat (and as the frame check still plays it): the baseline. A run folder
// of a chart plays that chart instead of the shipped song. The frame check's
// way of stepping (tools/frames); run under xvfb-run.
//
//   bench_demo_steps [width height [frame ms [on-beat|earliest [run folder]]]]
//   (1024 768 33 on-beat build/run unless given)

#include "app/settings.h"
#include "frames/frame_world.h"
#include "frames/staged_run.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>

int main(int argc, char** argv) {
    const int width = argc > 2 ? std::atoi(argv[1]) : 1024;
    const int height = argc > 2 ? std::atoi(argv[2]) : 768;
    const unsigned int frameMs = argc > 3 ? static_cast<unsigned int>(std::atoi(argv[3])) : 33;
    const bool onTheBeat = argc <= 4 || std::string(argv[4]) != "earliest";
    const std::filesystem::path run = argc > 5 ? argv[5] : CUEFLIGHT_RUN_DIR;
    const std::filesystem::path stage =
        std::filesystem::temp_directory_path() / ("demo_steps_" + std::to_string(getpid()));
    frames::stageRunFolder(run, stage, width, height);
    std::filesystem::current_path(stage);

    std::ostringstream caught;
    std::streambuf* console = std::cout.rdbuf(caught.rdbuf());
    frames::FrameWorld world(frameMs, onTheBeat);
    const bool opened = world.open();
    if (opened) {
        // On past the level's end (116 s for the shipped song).
        const auto endMs = static_cast<unsigned int>(songEndMs) + 2000;
        world.advanceTo(endMs / frameMs * frameMs);
        world.close();
    }
    std::cout.rdbuf(console);
    if (!opened) {
        std::printf("no window\n");
        return 1;
    }
    std::istringstream log(caught.str());
    std::printf("%dx%d, a frame every %u ms, %s:\n", width, height, frameMs,
                onTheBeat ? "on the beat" : "as soon as the window opens");
    for (std::string line; std::getline(log, line);) {
        if (line.rfind("ACCURACY: ", 0) == 0 || line.rfind("TIMING: ", 0) == 0 ||
            line.rfind("DEMO: ", 0) == 0) {
            std::printf("  %s\n", line.c_str());
        }
    }
    std::filesystem::current_path(std::filesystem::temp_directory_path());
    std::filesystem::remove_all(stage);
    return 0;
}
