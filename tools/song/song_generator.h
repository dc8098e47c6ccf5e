#pragma once

#include <filesystem>

namespace songgen {

// Paths the game reads, relative to its working directory.
inline const std::filesystem::path songFile = "Sound/nooneknows.mp3";
inline const std::filesystem::path stabFile = "Sound/stab0041.wav";
inline const std::filesystem::path clickFile = "Sound/click.wav";
inline const std::filesystem::path beatTrackFile = "rec.cfg";
inline const std::filesystem::path cueTrackFile = "rec2.cfg";

// Writes the song, the two samples and both recordings under `runDir`.
// Returns false after an error line if any file could not be written.
bool generateAll(const std::filesystem::path& runDir);

} // namespace songgen
