#include "store/store_schema.h"

#include "store/sqlite_db.h"

#include <string>

namespace store {

namespace {

// Version 1: songs by content, plays and every play's judged cues. The cue
// results are rows rather than a blob of our own format: SQLite checks and
// reads them, and no reader of ours has to withstand a damaged blob.
constexpr const char* kVersion1 = R"sql(
CREATE TABLE songs (
    id TEXT PRIMARY KEY,
    title TEXT NOT NULL,
    artist TEXT NOT NULL,
    file_name TEXT NOT NULL,
    length_ms INTEGER NOT NULL
) WITHOUT ROWID;
CREATE TABLE plays (
    id INTEGER PRIMARY KEY,
    song_id TEXT NOT NULL REFERENCES songs(id),
    density TEXT NOT NULL,
    chart_version INTEGER NOT NULL,
    offset_ms INTEGER NOT NULL,
    played_at TEXT NOT NULL,
    accuracy REAL NOT NULL,
    rating TEXT NOT NULL,
    hits INTEGER NOT NULL,
    misses INTEGER NOT NULL,
    best_streak INTEGER NOT NULL,
    mean_ms REAL NOT NULL,
    spread_ms REAL NOT NULL,
    demo INTEGER NOT NULL CHECK (demo IN (0, 1))
);
CREATE INDEX plays_by_song ON plays (song_id, density, demo, accuracy);
CREATE TABLE cue_results (
    play_id INTEGER NOT NULL REFERENCES plays(id),
    seq INTEGER NOT NULL,
    time_ms REAL NOT NULL,
    outcome INTEGER NOT NULL CHECK (outcome IN (0, 1, 2)),
    offset_ms REAL,
    PRIMARY KEY (play_id, seq)
) WITHOUT ROWID;
)sql";

// Every column the store's statements name, table by table.
constexpr const char* kColumnsInUse[] = {
    "SELECT id, title, artist, file_name, length_ms FROM songs LIMIT 0",
    ("SELECT id, song_id, density, chart_version, offset_ms, played_at, accuracy, rating, hits, "
     "misses, best_streak, mean_ms, spread_ms, demo FROM plays LIMIT 0"),
    "SELECT play_id, seq, time_ms, outcome, offset_ms FROM cue_results LIMIT 0",
};

} // namespace

const char* migrationTo(int version) {
    switch (version) {
    case 1:
        return kVersion1;
    default:
        return nullptr;
    }
}

void migrate(Database& database) {
    WriteTransaction transaction(database);
    const long long version = database.queryInteger("PRAGMA user_version");
    if (version >= kSchemaVersion) {
        return;
    }
    for (int next = static_cast<int>(version) + 1; next <= kSchemaVersion; ++next) {
        database.exec(migrationTo(next));
    }
    database.exec(("PRAGMA user_version = " + std::to_string(kSchemaVersion)).c_str());
    transaction.commit();
}

void checkSchema(Database& database) {
    for (const char* query : kColumnsInUse) {
        Statement probe(database, query);
    }
}

} // namespace store
