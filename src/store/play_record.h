#pragma once

#include <optional>
#include <string>
#include <vector>

namespace store {

// How one judged cue went.
enum class CueOutcome {
    Hit = 0,
    Missed = 1,   // left its window unclicked
    TooEarly = 2, // clicked before its window, which spoils it
};

struct CueResult {
    double timeMs = 0.0; // the cue's moment in the song
    CueOutcome outcome = CueOutcome::Hit;
    // The click's offset from the cue's moment (negative is early); none for
    // a cue left unclicked.
    std::optional<double> offsetMs;
};

// The song as last seen. Its id is the SHA-256 of the file's bytes (see
// library::songIdentity), so a renamed or moved file keeps its history.
struct SongRecord {
    std::string id;
    std::string title;
    std::string artist;
    std::string fileName;
    long long lengthMs = 0;
};

// One finished play, as saved and as read back.
struct PlayRecord {
    long long id = 0; // the store's number for it; 0 before it is saved
    SongRecord song;
    std::string density;   // easy, normal or hard
    int chartVersion = 0;  // the charting tool's version; 0 for the shipped song
    int offsetMs = 0;      // the offset_ms the play was judged with
    std::string playedAt;  // UTC, ISO 8601: 2024-05-01T18:30:00Z
    double accuracy = 0.0; // percent of the judged cues hit
    std::string rating;
    int hits = 0;
    int misses = 0;
    int bestStreak = 0;
    double meanMs = 0.0;
    double spreadMs = 0.0;
    bool demo = false;           // the game played itself: kept, but never a best
    std::vector<CueResult> cues; // in the order they were judged
};

// One song and density in the library's rows: the player's best and how
// often they played it (demo plays count for neither).
struct SongBest {
    std::string songId;
    std::string density;
    double bestAccuracy = 0.0;
    int plays = 0;
};

} // namespace store
