#pragma once

#include <filesystem>

#include "game/level_sound.h"
#include "game/recording_format.h"

namespace songgen {

// Paths the game reads, relative to its working directory: the names are
// the readers' own.
inline const std::filesystem::path songFile = game::LevelSound::kMusicPath;
inline const std::filesystem::path stabFile = game::LevelSound::kStabPath;
inline const std::filesystem::path clickFile = game::LevelSound::kClickPath;
inline const std::filesystem::path beatTrackFile = game::kBeatRecordingFile;
inline const std::filesystem::path cueTrackFile = game::kCueRecordingFile;

// Writes the song, the two samples and both recordings under `runDir`.
// Returns false after an error line if any file could not be written.
bool generateAll(const std::filesystem::path& runDir);

} // namespace songgen
