#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace game {

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
