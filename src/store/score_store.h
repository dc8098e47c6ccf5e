#pragma once

#include "store/play_record.h"

#include <chrono>
#include <filesystem>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace store {

class Database;

// How long a save waits for another game writing to the same store before
// it gives up on this play.
constexpr int kBusyTimeoutMs = 3000;

// What saving a play gave.
struct SaveReceipt {
    long long playId = 0;
    // The best of the same song, density and kind (player or demo) before
    // this play; nothing for the first.
    std::optional<double> previousBest;
};

// One row of a song's recent history.
struct PlaySummary {
    long long id = 0;
    std::string playedAt;
    std::string density;
    double accuracy = 0.0;
    double meanMs = 0.0;
    double spreadMs = 0.0;
    bool demo = false;
};

// Every play the player finished, in an SQLite file (WAL journal, every
// play one transaction). Lines about trouble go to the stream given, one
// each, starting "cueflight: "; the queries throw SqliteError on failures
// of SQLite's own.
class ScoreStore {
public:
    // Opens the store at `file`, made when missing and brought up to the
    // current schema. A file that is no store of ours (random bytes, a cut
    // or damaged database, another program's database, one of a newer
    // schema) is moved aside (see moveAside), said in one line, and a new
    // store started in its place. Nothing, after one line, when no store can
    // be had there (no folder, no permission, locked, full).
    static std::unique_ptr<ScoreStore>
    open(const std::filesystem::path& file, std::ostream& err,
         std::chrono::system_clock::time_point now = std::chrono::system_clock::now());
    // For looking only: nothing is made, moved or changed. Nothing, after one
    // line, for a file that is missing or no store of this version.
    static std::unique_ptr<ScoreStore> openForReading(const std::filesystem::path& file,
                                                      std::ostream& err);
    ~ScoreStore();
    ScoreStore(const ScoreStore&) = delete;
    ScoreStore& operator=(const ScoreStore&) = delete;

    // Saves the play, its song and its cues in one transaction. Damage found
    // while writing moves the file aside and saves into a new store. Nothing,
    // after one line, when the play could not be saved; then nothing of it is.
    std::optional<SaveReceipt>
    save(const PlayRecord& play, std::ostream& err,
         std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

    // The best accuracy of the song at the density over plays of one kind.
    std::optional<double> best(const std::string& songId, const std::string& density, bool demo);
    // The player's best and number of plays per density of each song named
    // that has any, in one query however many songs are asked.
    std::vector<SongBest> bests(const std::vector<std::string>& songIds);
    // The song's latest plays, newest first.
    std::vector<PlaySummary> history(const std::string& songId, int limit = 10);
    // The id of the player's own latest play of the song at the density (the
    // demo's never), however many plays of other kinds came after it.
    std::optional<long long> lastOwnPlay(const std::string& songId, const std::string& density);
    // One play with its song and cues, as saved.
    std::optional<PlayRecord> readPlay(long long playId);
    // Every play (of one song, when given), oldest first, without their cues.
    std::vector<PlayRecord> plays(const std::optional<std::string>& songId = std::nullopt);

    const std::filesystem::path& file() const { return path; }

private:
    ScoreStore(std::filesystem::path file, std::unique_ptr<Database> database);
    // The open database; throws once damage found while saving has cost it.
    Database& db();

    std::filesystem::path path;
    std::unique_ptr<Database> database;
};

} // namespace store
