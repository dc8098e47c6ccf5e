#pragma once

#include "game/practice.h"

#include <filesystem>
#include <string>
#include <vector>

// What the player asked for on the command line.
struct CommandLine {
    enum class Action {
        Play,    // start the game
        Help,    // print the help and stop
        Version, // print the version and stop
        Refuse,  // print `error` and stop with a non-zero status
    };
    // What playing starts with.
    enum class Start {
        Level,       // the level, then its end screen
        Calibration, // --calibrate: find the player's latency, then quit
        Practice,    // --practice FROM-TO: loop a passage of the level
    };
    Action action = Action::Play;
    Start start = Start::Level;
    // --practice FROM-TO [--speed S], in ms of the song.
    game::PracticeRange practice;
    // --config FILE: the player's settings from FILE instead of their own
    // config folder's; absolute, since the game may move to its run folder.
    std::filesystem::path configFile;
    // --library [DIR...]: the song select screen over these folders
    // (absolute); none named: the player's music folder.
    bool library = false;
    std::vector<std::filesystem::path> libraryFolders;
    std::string error; // one line, for Refuse
};

// Reads the arguments after the program's name; relative paths are taken
// from `workingDir`.
CommandLine parseCommandLine(const std::vector<std::string>& args,
                             const std::filesystem::path& workingDir);

// Where the player's files are, as the help tells it.
struct PlayerFilesText {
    std::string settings; // the player's config.cfg, or a reason there is none
    std::string defaults; // the shipped config.cfg
    std::string charts;   // the cache folder
    std::string scores;   // the data folder
};

// The text of --help: every option and where the player's files are.
std::string helpText(const PlayerFilesText& files);
