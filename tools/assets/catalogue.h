#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace assetgen {

struct AssetFile {
    std::string path;  // relative to the run folder, e.g. "Models/cube.obj"
    std::string bytes; // the whole file
};

// Every model and sprite of the game, in a fixed order; nothing if the font
// for the font sheet cannot be read (the reason goes to the error stream).
std::optional<std::vector<AssetFile>> generateAssets(const std::string& fontFile);

// The game's icon in every size of kIconSizes, as an icon theme lays them
// out: "hicolor/48x48/apps/<name>.png" and so on.
std::vector<AssetFile> iconFiles(const std::string& name);

// Writes the files under `runDir`, creating folders; false (and an error line) on failure.
bool writeAssets(const std::vector<AssetFile>& files, const std::filesystem::path& runDir);

} // namespace assetgen
