#pragma once

#include "app/config.h"

#include <iosfwd>
#include <optional>

// Everything the game settles before it opens its window: the command line
// (--help and --version answered there), the run folder it moves into, and
// the player's settings file. The exit status when the game is to stop
// before it starts, nothing when it is to play with `playerConfig`.
std::optional<int> prepareLaunch(int argc, char** argv, PlayerConfig& playerConfig,
                                 std::ostream& out, std::ostream& err);
