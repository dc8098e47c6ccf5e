#include "store/score_store.h"

#include "store/sqlite_db.h"

#include <sqlite3.h>

#include <unordered_set>

namespace store {

namespace {

constexpr const char* kPlayColumns =
    "SELECT p.id, p.density, p.chart_version, p.offset_ms, p.played_at, p.accuracy, p.rating, "
    "p.hits, p.misses, p.best_streak, p.mean_ms, p.spread_ms, p.demo, s.id, s.title, s.artist, "
    "s.file_name, s.length_ms FROM plays p JOIN songs s ON s.id = p.song_id ";

int count(const Statement& row, int column) {
    return static_cast<int>(row.integer(column));
}

PlayRecord playOf(const Statement& row) {
    PlayRecord play;
    play.id = row.integer(0);
    play.density = row.text(1);
    play.chartVersion = count(row, 2);
    play.offsetMs = count(row, 3);
    play.playedAt = row.text(4);
    play.accuracy = row.real(5);
    play.rating = row.text(6);
    play.hits = count(row, 7);
    play.misses = count(row, 8);
    play.bestStreak = count(row, 9);
    play.meanMs = row.real(10);
    play.spreadMs = row.real(11);
    play.demo = row.integer(12) != 0;
    play.song = SongRecord{row.text(13), row.text(14), row.text(15), row.text(16), row.integer(17)};
    return play;
}

// A stored outcome outside the three known ones reads as a miss: the table
// refuses such values, so only a hand-edited file has them.
CueOutcome outcomeOf(long long value) {
    switch (value) {
    case 0:
        return CueOutcome::Hit;
    case 2:
        return CueOutcome::TooEarly;
    default:
        return CueOutcome::Missed;
    }
}

} // namespace

Database& ScoreStore::db() {
    if (!database) {
        throw SqliteError(SQLITE_CANTOPEN, "the store was lost to damage found while saving");
    }
    return *database;
}

std::optional<double> ScoreStore::best(const std::string& songId, const std::string& density,
                                       bool demo) {
    Statement query(db(), "SELECT max(accuracy) FROM plays WHERE song_id = ?1 AND density = ?2 "
                          "AND demo = ?3");
    query.bind(1, songId).bind(2, density).bind(3, demo ? 1 : 0);
    return query.step() ? query.optionalReal(0) : std::nullopt;
}

std::vector<SongBest> ScoreStore::bests(const std::vector<std::string>& songIds) {
    // One pass over the index gives every song's rows; a library of
    // thousands asks for most of them anyway.
    const std::unordered_set<std::string> wanted(songIds.begin(), songIds.end());
    Statement query(db(), "SELECT song_id, density, max(accuracy), count(*) FROM plays "
                          "WHERE demo = 0 GROUP BY song_id, density");
    std::vector<SongBest> found;
    while (query.step()) {
        std::string songId = query.text(0);
        if (wanted.contains(songId)) {
            found.push_back({std::move(songId), query.text(1), query.real(2), count(query, 3)});
        }
    }
    return found;
}

std::vector<PlaySummary> ScoreStore::history(const std::string& songId, int limit) {
    Statement query(db(), "SELECT id, played_at, density, accuracy, mean_ms, spread_ms, demo "
                          "FROM plays WHERE song_id = ?1 ORDER BY id DESC LIMIT ?2");
    query.bind(1, songId).bind(2, limit);
    std::vector<PlaySummary> rows;
    while (query.step()) {
        rows.push_back({query.integer(0), query.text(1), query.text(2), query.real(3),
                        query.real(4), query.real(5), query.integer(6) != 0});
    }
    return rows;
}

std::optional<long long> ScoreStore::lastOwnPlay(const std::string& songId,
                                                 const std::string& density) {
    Statement query(db(), "SELECT id FROM plays WHERE song_id = ?1 AND density = ?2 AND demo = 0 "
                          "ORDER BY id DESC LIMIT 1");
    query.bind(1, songId).bind(2, density);
    if (!query.step()) {
        return std::nullopt;
    }
    return query.integer(0);
}

std::optional<PlayRecord> ScoreStore::readPlay(long long playId) {
    Statement query(db(), std::string(kPlayColumns) + "WHERE p.id = ?1");
    query.bind(1, playId);
    if (!query.step()) {
        return std::nullopt;
    }
    PlayRecord play = playOf(query);
    Statement cues(db(), "SELECT time_ms, outcome, offset_ms FROM cue_results WHERE play_id = ?1 "
                         "ORDER BY seq");
    cues.bind(1, playId);
    while (cues.step()) {
        play.cues.push_back({cues.real(0), outcomeOf(cues.integer(1)), cues.optionalReal(2)});
    }
    return play;
}

std::vector<PlayRecord> ScoreStore::plays(const std::optional<std::string>& songId) {
    Statement query(db(), std::string(kPlayColumns) +
                              (songId ? "WHERE p.song_id = ?1 ORDER BY p.id" : "ORDER BY p.id"));
    if (songId) {
        query.bind(1, *songId);
    }
    std::vector<PlayRecord> rows;
    while (query.step()) {
        rows.push_back(playOf(query));
    }
    return rows;
}

} // namespace store
