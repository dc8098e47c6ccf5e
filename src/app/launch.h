#pragma once

#include "app/command_line.h"
#include "app/config.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <vector>

// What the game settled before it opens its window.
struct Launch {
    PlayerConfig playerConfig;
    bool library = false; // the song select screen, not the run folder's level
    std::vector<std::filesystem::path> libraryFolders; // absolute; empty: the music folder
    std::filesystem::path runFolder;                   // where the game now is
    std::filesystem::path programFolder;               // the game's binary's folder, with its tools
    CommandLine::Start start = CommandLine::Start::Level;
    game::PracticeRange practice; // for Start::Practice
};

// Everything the game settles before it opens its window: the command line
// (--help and --version answered there), the run folder it moves into, and
// the player's settings file. The exit status when the game is to stop
// before it starts, nothing when it is to play as `launch` says.
std::optional<int> prepareLaunch(int argc, char** argv, Launch& launch, std::ostream& out,
                                 std::ostream& err);
