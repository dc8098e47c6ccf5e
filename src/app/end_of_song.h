#pragma once

#include "game/timing_stats.h"

#include <optional>
#include <string>

// What the end screen shows, written once when the song ends, or read back
// from a stored play.
struct EndOfSong {
    std::string accuracy;   // accuracy and rating, the message overlay's two lines
    std::string summary;    // counts and timing, two overlay lines
    std::string advice;     // the offset_ms to try, or what A did with it; empty when none
    std::string suggestion; // the advice as the song's end gave it
    // The offset_ms the advice suggests, which the A key writes into the
    // player's settings; nothing without advice.
    std::optional<int> suggestedOffsetMs;
    bool applied = false;              // A wrote it; pressed again it puts `before` back
    std::optional<std::string> before; // the file's offset_ms before A, if it had one
    double offsetBeforeMs = 0.0;       // the offset_ms the song was played with
    game::TimingStats stats;           // the hits' offsets, for the histogram
    std::string best;                  // the best of the song and density; empty when not kept
    bool newBest = false;              // the best line tells of a new best
    bool saved = false;                // the play is in the score store
};
