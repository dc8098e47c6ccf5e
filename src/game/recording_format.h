#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace game {

// The run folder's two recordings: the beats the cues pulse on, and the cues.
inline constexpr const char* kBeatRecordingFile = "rec.cfg";
inline constexpr const char* kCueRecordingFile = "rec2.cfg";

// The game loads every record of a recording but the last, so whoever writes
// one adds a record after its own: the beat file the beat one period after
// the last (at 0 without beats)...
inline std::vector<double> beatRecordsWithPadding(std::vector<double> beatsMs, double periodMs) {
    beatsMs.push_back(beatsMs.empty() ? 0.0 : beatsMs.back() + periodMs);
    return beatsMs;
}

// ...and the cue file a cue past the level's end, which is loaded and placed
// but never judged (the rating counts it, as the shipped level always has),
// and one more a second after it.
inline std::vector<double> cueRecordsWithPadding(std::vector<double> cuesMs, double afterEndMs) {
    cuesMs.push_back(afterEndMs);
    cuesMs.push_back(afterEndMs + 1000.0);
    return cuesMs;
}

// A recording's text as the cue recorder writes it: every record a line feed
// and the music position in ms as "%15f". The loader skips line 1 and does
// not load the last record. Header-only, so the generators of recordings
// write the very same text without linking the game.
inline std::string recordingText(const std::vector<double>& recordsMs) {
    std::string text;
    for (double ms : recordsMs) {
        char record[64];
        std::snprintf(record, sizeof record, "\n%15f", ms);
        text += record;
    }
    return text;
}

} // namespace game
