#pragma once

#include <filesystem>
#include <optional>

#include "install_layout.h"

// A run folder holds everything the game reads by relative path: build/run/,
// a chart's folder, or the data folder of an installed game. Header-only, so
// the charting tool finds the same folder without linking the game.

namespace game {

// The level's scene: every run folder has one, so it is what marks one.
inline constexpr const char* kScenePath = "Scenes/testscene.scene";

inline bool holdsLevel(const std::filesystem::path& folder) {
    std::error_code status;
    return std::filesystem::is_regular_file(folder / kScenePath, status);
}

// The game's files beside its binary: the binary's own folder when it is a
// run folder (build/run/), else the installed data folder; nothing when
// neither holds the level.
inline std::optional<std::filesystem::path>
dataBesideBinary(const std::filesystem::path& executable) {
    const std::filesystem::path binFolder = executable.parent_path();
    if (holdsLevel(binFolder)) {
        return binFolder;
    }
    const std::filesystem::path installed = (binFolder / kDataFromBin).lexically_normal();
    if (holdsLevel(installed)) {
        return installed;
    }
    return std::nullopt;
}

} // namespace game
