#pragma once

#include <filesystem>
#include <optional>

namespace platform {

// The player's music folder: the one `xdg-user-dir MUSIC` reports (the
// desktop's own setting, in the player's language), else ~/Music. Nothing
// without a home. Asks the process's own environment.
std::optional<std::filesystem::path> musicFolder();

} // namespace platform
