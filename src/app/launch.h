#pragma once

#include "app/command_line.h"
#include "app/config.h"

#include <iosfwd>
#include <optional>

// What the game starts with: the player's settings file and the screen.
struct Launch {
    PlayerConfig playerConfig;
    CommandLine::Start start = CommandLine::Start::Level;
    game::PracticeRange practice; // for Start::Practice
};

// Everything the game settles before it opens its window: the command line
// (--help and --version answered there), the run folder it moves into, and
// the player's settings file. The exit status when the game is to stop
// before it starts, nothing when it is to play as `launch` says.
std::optional<int> prepareLaunch(int argc, char** argv, Launch& launch, std::ostream& out,
                                 std::ostream& err);
