#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Finding the player's songs: a walk over folders that lists the files that
// may be songs by their names and never opens one, so it is quick and
// nothing a file holds can upset it.

namespace library {

// A file worth opening as a song, as the walk found it.
struct FoundFile {
    std::filesystem::path path;
    std::uintmax_t size = 0;
    std::int64_t modified = 0; // the file's modification time, as the file system counts it
};

// A place the walk could not use, with a reason for the player.
struct ScanProblem {
    std::filesystem::path path;
    std::string reason;
};

// Files larger than this are not songs anyone plays (20 min of 8-channel
// 192 kHz 32-bit audio is about 3.7 GB).
constexpr std::uintmax_t kLargestSongBytes = 4ull * 1024 * 1024 * 1024;

// Whether the name's extension is one a song comes in (wav, flac, ogg, oga,
// opus, mp3, aif, aiff, in any case).
bool hasSongExtension(const std::filesystem::path& path);

struct ScanCallbacks {
    std::function<void(FoundFile)> found;
    std::function<void(ScanProblem)> problem;
    // Asked between entries; true ends the walk early (the game is quitting).
    std::function<bool()> stop = [] { return false; };
};

// Walks every root and the folders below them in name order, following
// symbolic links but entering no folder twice (a link back up cannot loop),
// and skipping hidden folders. A folder that cannot be read, a file that
// vanished or cannot be looked at, an empty file and one larger than
// kLargestSongBytes are problems; everything else with a song's extension
// is found. Nothing is opened.
void scanFolders(const std::vector<std::filesystem::path>& roots, const ScanCallbacks& callbacks);

} // namespace library
