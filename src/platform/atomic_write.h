#pragma once

#include <filesystem>
#include <string>

namespace platform {

// How sure a write must be to have reached the disk before the rename.
enum class Durability {
    Player, // the player's own data: flushed to the disk first
    Cache,  // what can be made again: no wait for the disk, which may take
            // long enough to cost a frame
};

// Replaces the file's contents with `text` all at once: written beside it
// under a temporary name, then renamed over it, so a crash or a full disk
// leaves either the old file or the new one, never half of one. False, with
// the reason in `error` and the old file untouched, when it cannot.
bool writeFileAtomically(const std::filesystem::path& file, const std::string& text,
                         std::string& error, Durability durability = Durability::Player);

} // namespace platform
