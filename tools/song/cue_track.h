#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "score.h"

namespace songgen {

// The game judges cues until the music passes 116 s.
constexpr double gameEndMs = 116000.0;
constexpr double minCueSpacingMs = 300.0;
// The game never judges the last cue it loads, so the cue track ends with one
// placed after the song is over, where the flight never gets to.
constexpr double cueAfterSongEndMs = 125000.0;

// Sample indices of the accents of the lead and the snare heard before the
// game ends, in time order and never closer than minCueSpacingMs.
std::vector<int64_t> selectCues(const Score& score);

// Sample index of every beat of the song.
std::vector<int64_t> beatStarts();

// The loader reads all records but the last, so each track gets one more
// record (the next beat, or a second one after the end) that is only dropped.
std::vector<double> beatTrackRecords(const std::vector<int64_t>& beats);
std::vector<double> cueTrackRecords(const std::vector<int64_t>& cues);

} // namespace songgen
