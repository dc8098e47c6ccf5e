#include "app/launch.h"

#include "app/command_line.h"
#include "app/start_folder.h"
#include "platform/executable_path.h"
#include "platform/user_folders.h"
#include "util/version.h"

#include <cstdlib>
#include <ostream>

namespace fs = std::filesystem;

namespace {

constexpr int kRefused = 2;
constexpr const char* kConfigName = "config.cfg";

std::string folderText(platform::UserFolder kind, const char* file = "") {
    if (std::optional<fs::path> folder = platform::userFolder(kind)) {
        return (*folder / file).string();
    }
    return "none: neither HOME nor the XDG variable names a folder";
}

PlayerFilesText playerFiles(const std::optional<fs::path>& runFolder) {
    return {folderText(platform::UserFolder::Config, kConfigName),
            runFolder ? (*runFolder / kConfigName).string() : "(the game's files are missing)",
            folderText(platform::UserFolder::Cache), folderText(platform::UserFolder::Data)};
}

} // namespace

std::optional<int> prepareLaunch(int argc, char** argv, Launch& launch, std::ostream& out,
                                 std::ostream& err) {
    std::error_code status;
    const fs::path workingDir = fs::current_path(status);
    if (status) {
        err << "cueflight: the working directory is gone: " << status.message() << std::endl;
        return EXIT_FAILURE;
    }
    const CommandLine commandLine = parseCommandLine({argv + 1, argv + argc}, workingDir);
    const fs::path startedAs = argc > 0 ? argv[0] : "cueflight";
    const StartPlace place{workingDir, startedAs, platform::executablePath(startedAs)};
    std::string looked;
    const std::optional<fs::path> runFolder = chooseRunFolder(place, looked);
    switch (commandLine.action) {
    case CommandLine::Action::Help:
        out << helpText(playerFiles(runFolder)) << std::flush;
        return EXIT_SUCCESS;
    case CommandLine::Action::Version:
        out << util::versionLine("cueflight") << std::endl;
        return EXIT_SUCCESS;
    case CommandLine::Action::Refuse:
        err << commandLine.error << std::endl;
        return kRefused;
    case CommandLine::Action::Play:
        break;
    }
    if (!runFolder) {
        err << "cueflight: cannot find the game's files: looked in " << looked << std::endl;
        return EXIT_FAILURE;
    }
    fs::current_path(*runFolder, status);
    if (status) {
        err << "cueflight: cannot enter " << runFolder->string() << ": " << status.message()
            << std::endl;
        return EXIT_FAILURE;
    }
    if (!commandLine.configFile.empty()) {
        launch.playerConfig = {commandLine.configFile, true};
    } else if (std::optional<fs::path> folder =
                   platform::userFolder(platform::UserFolder::Config)) {
        launch.playerConfig = {*folder / kConfigName, false};
    }
    launch.library = commandLine.library;
    launch.libraryFolders = commandLine.libraryFolders;
    launch.runFolder = *runFolder;
    launch.programFolder = place.executable.parent_path();
    launch.start = commandLine.start;
    launch.practice = commandLine.practice;
    return std::nullopt;
}
