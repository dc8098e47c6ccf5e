#pragma once

#include "game/timing_stats.h"

#include <string>

// What the end screen shows, written once when the song ends, or read back
// from a stored play.
struct EndOfSong {
    std::string accuracy;    // accuracy and rating, the message overlay's two lines
    std::string summary;     // counts and timing, two overlay lines
    std::string advice;      // the offset_ms to try; empty when none
    game::TimingStats stats; // the hits' offsets, for the histogram
    std::string best;        // the best of the song and density; empty when not kept
    bool newBest = false;    // the best line tells of a new best
    bool saved = false;      // the play is in the score store
};
