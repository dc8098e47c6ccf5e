#include "app/start_folder.h"

#include "game/run_folder.h"

namespace fs = std::filesystem;

std::optional<fs::path> chooseRunFolder(const StartPlace& place, std::string& looked) {
    // A name without a slash came from the PATH, so it says nothing of the
    // folder; a path's folder is where the player started the game.
    if (place.startedAs.has_parent_path()) {
        std::error_code status;
        const fs::path startedFrom = place.workingDir / place.startedAs.parent_path();
        if (fs::equivalent(startedFrom, place.workingDir, status)) {
            return place.workingDir;
        }
    }
    if (game::holdsLevel(place.workingDir)) {
        return place.workingDir;
    }
    if (std::optional<fs::path> data = game::dataBesideBinary(place.executable)) {
        return data;
    }
    const fs::path binFolder = place.executable.parent_path();
    looked = place.workingDir.string() + ", " + binFolder.string() + " and " +
             (binFolder / game::kDataFromBin).lexically_normal().string();
    return std::nullopt;
}
