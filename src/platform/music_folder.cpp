#include "platform/music_folder.h"

#include "platform/child_process.h"
#include "platform/user_folders.h"

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace platform {

namespace {

constexpr const char* kUserDirTool = "/usr/bin/xdg-user-dir";
// The tool is a few lines of shell; one that takes longer is stuck.
constexpr auto kToolLimit = std::chrono::seconds(2);
constexpr auto kPollPeriod = std::chrono::milliseconds(5);

std::optional<std::filesystem::path> reportedMusicFolder() {
    std::string error;
    std::unique_ptr<ChildProcess> tool = ChildProcess::start(kUserDirTool, {"MUSIC"}, 0, error);
    if (!tool) {
        return std::nullopt;
    }
    std::vector<std::string> lines;
    const auto deadline = std::chrono::steady_clock::now() + kToolLimit;
    while (!tool->finished() && std::chrono::steady_clock::now() < deadline) {
        tool->readLines(lines);
        std::this_thread::sleep_for(kPollPeriod);
    }
    tool->readLines(lines);
    if (!tool->finished() || tool->exitStatus() != 0 || lines.empty() || lines[0].empty() ||
        lines[0].front() != '/') {
        return std::nullopt;
    }
    return std::filesystem::path(lines[0]);
}

} // namespace

std::optional<std::filesystem::path> musicFolder() {
    std::optional<std::string> home = processEnvironment("HOME");
    if (!home || home->empty()) {
        return std::nullopt;
    }
    const std::filesystem::path homeFolder(*home);
    std::optional<std::filesystem::path> reported = reportedMusicFolder();
    // Without the setting the tool answers with the home itself, which is
    // far more than a music folder.
    if (reported && reported->lexically_normal() != homeFolder.lexically_normal()) {
        return reported;
    }
    return homeFolder / "Music";
}

} // namespace platform
