// framecheck <run folder> <reference folder> <output folder> [--update]
//
// Draws the chosen moments of the level (frame_shots.cpp) with the clock set
// and the song silent, writes each frame to the output folder as PNG and the
// game's standard output as stdout.txt, and compares them with the
// references: every frame must come within kMinimumPsnr of its reference and
// every printed line must be the same. With --update the output becomes the
// references instead.

#include "frames/frame_shots.h"
#include "frames/frame_world.h"
#include "frames/picture.h"
#include "frames/staged_run.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 300;
constexpr double kMinimumPsnr = 40.0;
constexpr const char* kLogName = "stdout.txt";

struct Shot {
    std::string name;
    frames::Picture picture;
};

// Plays the moments in the staged folder with the game's standard output
// caught; nothing when no window could be had.
bool shootAll(std::vector<Shot>& shots, std::string& log) {
    std::ostringstream caught;
    std::streambuf* console = std::cout.rdbuf(caught.rdbuf());
    frames::FrameWorld world;
    const bool opened = world.open();
    if (opened) {
        for (const frames::Moment& moment : frames::chosenMoments()) {
            world.advanceTo(moment.positionMs);
            for (const frames::SwitchSet& set : moment.sets) {
                shots.push_back(
                    {frames::shotFileName(moment, set), world.shoot(set.flags, set.key)});
            }
        }
        world.close();
    }
    std::cout.rdbuf(console);
    log = caught.str();
    return opened;
}

std::string readText(const fs::path& path) {
    std::ifstream file(path);
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

// The first line where the two logs part, reported; true when they agree.
bool sameLog(const std::string& expected, const std::string& actual) {
    std::istringstream a(expected);
    std::istringstream b(actual);
    std::string lineA;
    std::string lineB;
    for (int number = 1;; ++number) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA && !moreB) {
            return true;
        }
        if (moreA != moreB || lineA != lineB) {
            std::printf("standard output differs at line %d:\n  expected: %s\n  printed:  %s\n",
                        number, moreA ? lineA.c_str() : "(end)", moreB ? lineB.c_str() : "(end)");
            return false;
        }
    }
}

// Every shot against its reference; true when all are close enough.
bool compareShots(const std::vector<Shot>& shots, const fs::path& references) {
    bool good = true;
    double worst = INFINITY;
    std::string worstName;
    for (const Shot& shot : shots) {
        const std::optional<frames::Picture> reference = frames::readPng(references / shot.name);
        const std::optional<double> value =
            reference ? frames::psnr(*reference, shot.picture) : std::nullopt;
        if (!value) {
            std::printf("  %-28s no reference of this size\n", shot.name.c_str());
            good = false;
            continue;
        }
        const bool close = *value >= kMinimumPsnr;
        std::printf("  %-28s %8.2f dB%s\n", shot.name.c_str(), *value, close ? "" : "  TOO FAR");
        good = good && close;
        if (*value < worst) {
            worst = *value;
            worstName = shot.name;
        }
    }
    std::printf("worst PSNR: %.2f dB (%s), %zu frames, at least %.0f dB needed\n", worst,
                worstName.empty() ? "every frame identical" : worstName.c_str(), shots.size(),
                kMinimumPsnr);
    return good;
}

bool writeAll(const std::vector<Shot>& shots, const std::string& log, const fs::path& folder) {
    fs::create_directories(folder);
    bool written = true;
    for (const Shot& shot : shots) {
        written = frames::writePng(folder / shot.name, shot.picture) && written;
    }
    std::ofstream(folder / kLogName) << log;
    return written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: framecheck <run folder> <reference folder> <output folder> "
                             "[--update]\n");
        return 2;
    }
    const fs::path references = fs::absolute(argv[2]);
    const fs::path output = fs::absolute(argv[3]);
    const bool update = argc > 4 && std::string(argv[4]) == "--update";
    frames::stageRunFolder(argv[1], output / "stage", kWidth, kHeight);
    fs::current_path(output / "stage");
    std::vector<Shot> shots;
    std::string log;
    if (!shootAll(shots, log)) {
        std::fprintf(stderr, "framecheck: no window (run under xvfb-run)\n");
        return 2;
    }
    if (!writeAll(shots, log, update ? references : output)) {
        std::fprintf(stderr, "framecheck: cannot write the pictures\n");
        return 2;
    }
    if (update) {
        std::printf("framecheck: %zu references and %s written to %s\n", shots.size(), kLogName,
                    references.c_str());
        return 0;
    }
    const bool picturesAgree = compareShots(shots, references);
    const bool logAgrees = sameLog(readText(references / kLogName), log);
    std::printf("standard output: %s\n", logAgrees ? "unchanged" : "CHANGED");
    return picturesAgree && logAgrees ? 0 : 1;
}
