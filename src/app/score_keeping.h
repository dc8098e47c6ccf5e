#pragma once

#include "library/chart_mark.h"
#include "store/play_record.h"

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

class Level;
struct EndOfSong;

// What the game settles at start-up about saving the play it starts: where
// the scores go, which song and chart it plays.
struct ScoreKeeping {
    std::filesystem::path storeFile;
    std::optional<store::SongRecord> song; // nothing when the song file cannot be read
    std::string songProblem;               // then why
    library::ChartMark chart;
    bool demo = false;
    int offsetMs = 0;
};

// The store's file name in the player's data folder.
constexpr const char* kScoreStoreName = "scores.db";

// Nothing when saving is off: an empty scores= setting, or no data folder
// to be had (makeUserFolder has said why, in one line on `err`). A relative
// scores= path is taken from the run folder, the working directory here.
// The song file is read and hashed now, so the end of the song only writes.
std::optional<ScoreKeeping> prepareScoreKeeping(const std::optional<std::string>& scoresSetting,
                                                const std::string& musicPath, bool demo,
                                                int offsetMs, std::ostream& err);

// The song as the store keeps it: its identity, its tags (else the file's
// name for the title) and its length. Nothing, with the reason, when the
// file cannot be read.
std::optional<store::SongRecord> songRecordOf(const std::filesystem::path& file,
                                              std::string& problem);

// The finished play as the store keeps it, judged cues included.
store::PlayRecord playRecordOf(const ScoreKeeping& keeping, const Level& level,
                               const std::string& playedAt);

// What the end screen says of the best: "NEW BEST +4.5 %" above the best
// before (just "NEW BEST" for the first play), else "best 97.4 %". Demo
// plays are compared with demo plays only and say so.
std::string bestLineOf(double accuracy, const std::optional<double>& previousBest, bool demo);

// Saves the finished play and puts its best and "saved" on the end screen;
// prints "SCORE: <the best line>, saved" (or "SCORE: not saved") on `log`
// and any trouble in one line on `err`.
void keepScore(const ScoreKeeping& keeping, const Level& level, EndOfSong& end, std::ostream& log,
               std::ostream& err);
