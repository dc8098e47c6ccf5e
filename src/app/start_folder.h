#pragma once

#include <filesystem>
#include <optional>
#include <string>

// Where the game was started, and from which binary.
struct StartPlace {
    std::filesystem::path workingDir; // the working directory at start
    std::filesystem::path startedAs;  // argv[0] as the shell gave it
    std::filesystem::path executable; // the binary itself, links resolved
};

// The run folder the game reads its files from by relative path:
// - the working directory when the game was started from there (./cueflight
//   in build/run/, in a chart's folder or in a test's copy, whatever it
//   lacks: a broken run folder is reported file by file, as ever);
// - the working directory when it holds a level (cueflight from the PATH in a
//   chart's folder);
// - else the game's files beside its binary (build/run/ itself, or the
//   installed bin/../share/cueflight).
// Nothing when none of them holds the game; `looked` then names where it
// looked, for the one line the player sees.
std::optional<std::filesystem::path> chooseRunFolder(const StartPlace& place, std::string& looked);
