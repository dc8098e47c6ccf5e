#include "store/score_store.h"

#include "store/sqlite_db.h"
#include "store/store_file.h"
#include "store/store_schema.h"

#include <sqlite3.h>

#include <ostream>

namespace store {

namespace fs = std::filesystem;

namespace {

// What trying to open the file came to: a ready database, a file to move
// aside, or a reason no store can be had now.
struct Opening {
    std::unique_ptr<Database> database;
    bool broken = false;
    std::string reason;
};

Opening brokenFile(std::string reason) {
    return {nullptr, true, std::move(reason)};
}

std::string reasonOf(const SqliteError& error) {
    if (error.code == SQLITE_BUSY) {
        return "another program holds the scores (waited " + std::to_string(kBusyTimeoutMs / 1000) +
               " s)";
    }
    return error.what();
}

std::optional<std::string> schemaProblem(Database& database) {
    try {
        checkSchema(database);
        return std::nullopt;
    } catch (const SqliteError& error) {
        if (error.fileIsBroken()) {
            throw;
        }
        return std::string("its tables are not the scores': ") + error.what();
    }
}

// Nothing is written to the file before it is known to be an empty
// database or a store of ours: a file that is not ours is left exactly as it
// was found, to be moved aside whole.
Opening tryOpen(const fs::path& file) {
    if (std::optional<std::string> damage = damageSeenInFile(file)) {
        return brokenFile(*damage);
    }
    try {
        auto database = std::make_unique<Database>(file, true, kBusyTimeoutMs);
        const long long version = database->queryInteger("PRAGMA user_version");
        if (version > kSchemaVersion) {
            return brokenFile("it was written by a newer cueflight (schema " +
                              std::to_string(version) + ")");
        }
        if (version == 0 && database->queryInteger("SELECT count(*) FROM sqlite_master") > 0) {
            return brokenFile("it is another program's database");
        }
        // A store of this version is checked before anything is written to
        // it, switching the journal included: a foreign file stays as it was.
        if (version == kSchemaVersion) {
            if (std::optional<std::string> odd = schemaProblem(*database)) {
                return brokenFile(*odd);
            }
        }
        // FULL: "saved" on the end screen means on the disk, not on its way.
        database->exec("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; "
                       "PRAGMA foreign_keys=ON");
        migrate(*database);
        if (std::optional<std::string> odd = schemaProblem(*database)) {
            return brokenFile(*odd);
        }
        return {std::move(database), false, {}};
    } catch (const SqliteError& error) {
        if (error.fileIsBroken()) {
            return brokenFile(error.what());
        }
        return {nullptr, false, reasonOf(error)};
    }
}

void insertSong(Database& database, const SongRecord& song) {
    Statement upsert(database, "INSERT INTO songs (id, title, artist, file_name, length_ms) "
                               "VALUES (?1, ?2, ?3, ?4, ?5) ON CONFLICT (id) DO UPDATE SET "
                               "title = excluded.title, artist = excluded.artist, "
                               "file_name = excluded.file_name, length_ms = excluded.length_ms");
    upsert.bind(1, song.id).bind(2, song.title).bind(3, song.artist).bind(4, song.fileName);
    upsert.bind(5, song.lengthMs).step();
}

long long insertPlay(Database& database, const PlayRecord& play) {
    Statement insert(database, "INSERT INTO plays (song_id, density, chart_version, offset_ms, "
                               "played_at, accuracy, rating, hits, misses, best_streak, mean_ms, "
                               "spread_ms, demo) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, "
                               "?11, ?12, ?13)");
    insert.bind(1, play.song.id).bind(2, play.density).bind(3, play.chartVersion);
    insert.bind(4, play.offsetMs).bind(5, play.playedAt).bind(6, play.accuracy);
    insert.bind(7, play.rating).bind(8, play.hits).bind(9, play.misses);
    insert.bind(10, play.bestStreak).bind(11, play.meanMs).bind(12, play.spreadMs);
    insert.bind(13, play.demo ? 1 : 0).step();
    return database.lastInsertId();
}

void insertCues(Database& database, long long playId, const std::vector<CueResult>& cues) {
    Statement insert(database, "INSERT INTO cue_results (play_id, seq, time_ms, outcome, "
                               "offset_ms) VALUES (?1, ?2, ?3, ?4, ?5)");
    for (std::size_t seq = 0; seq < cues.size(); ++seq) {
        const CueResult& cue = cues[seq];
        insert.bind(1, playId).bind(2, static_cast<long long>(seq)).bind(3, cue.timeMs);
        insert.bind(4, static_cast<int>(cue.outcome));
        if (cue.offsetMs) {
            insert.bind(5, *cue.offsetMs);
        } else {
            insert.bindNull(5);
        }
        insert.step();
        insert.reset();
    }
}

SaveReceipt writePlay(ScoreStore& store, Database& database, const PlayRecord& play) {
    WriteTransaction transaction(database);
    SaveReceipt receipt;
    receipt.previousBest = store.best(play.song.id, play.density, play.demo);
    insertSong(database, play.song);
    receipt.playId = insertPlay(database, play);
    insertCues(database, receipt.playId, play.cues);
    transaction.commit();
    return receipt;
}

// Moves the broken file aside, says so, and opens a new store in its place.
// An empty reason in what it gives means the trouble was told already.
Opening startAfresh(const fs::path& file, const std::string& damage, std::ostream& err,
                    std::chrono::system_clock::time_point now) {
    std::string error;
    std::optional<fs::path> aside = moveAside(file, now, error);
    if (!aside) {
        err << "cueflight: your scores " << file.string() << " are unreadable (" << damage
            << ") and cannot be moved aside: " << error << "; nothing is saved" << std::endl;
        return {};
    }
    err << "cueflight: your scores " << file.string() << " are unreadable (" << damage
        << "); kept as " << aside->string() << ", a new store is started" << std::endl;
    Opening opening = tryOpen(file);
    if (opening.broken) {
        opening.reason = "a new store is unreadable too: " + opening.reason;
    }
    return opening;
}

void tellNotSaved(std::ostream& err, const fs::path& file, const std::string& reason) {
    err << "cueflight: this play is not saved in " << file.string() << ": " << reason << std::endl;
}

} // namespace

ScoreStore::ScoreStore(fs::path file, std::unique_ptr<Database> opened)
    : path(std::move(file)), database(std::move(opened)) {}

ScoreStore::~ScoreStore() = default;

std::unique_ptr<ScoreStore> ScoreStore::open(const fs::path& file, std::ostream& err,
                                             std::chrono::system_clock::time_point now) {
    Opening opening = tryOpen(file);
    if (opening.broken) {
        opening = startAfresh(file, opening.reason, err, now);
    }
    if (!opening.database) {
        if (!opening.reason.empty()) {
            err << "cueflight: cannot open your scores " << file.string() << ": " << opening.reason
                << "; nothing is saved" << std::endl;
        }
        return nullptr;
    }
    return std::unique_ptr<ScoreStore>(new ScoreStore(file, std::move(opening.database)));
}

std::unique_ptr<ScoreStore> ScoreStore::openForReading(const fs::path& file, std::ostream& err) {
    std::error_code status;
    if (!fs::exists(file, status)) {
        err << "cueflight: no scores at " << file.string() << std::endl;
        return nullptr;
    }
    try {
        auto database = std::make_unique<Database>(file, false, kBusyTimeoutMs);
        const long long version = database->queryInteger("PRAGMA user_version");
        if (version != kSchemaVersion) {
            err << "cueflight: " << file.string() << " holds no scores of this version (schema "
                << version << ", this cueflight reads " << kSchemaVersion << ")" << std::endl;
            return nullptr;
        }
        checkSchema(*database);
        return std::unique_ptr<ScoreStore>(new ScoreStore(file, std::move(database)));
    } catch (const SqliteError& error) {
        err << "cueflight: cannot read the scores " << file.string() << ": " << reasonOf(error)
            << std::endl;
        return nullptr;
    }
}

std::optional<SaveReceipt> ScoreStore::save(const PlayRecord& play, std::ostream& err,
                                            std::chrono::system_clock::time_point now) {
    if (!database) {
        tellNotSaved(err, path, "the store was lost to damage earlier");
        return std::nullopt;
    }
    std::string damage;
    try {
        return writePlay(*this, *database, play);
    } catch (const SqliteError& error) {
        if (!error.fileIsBroken()) {
            tellNotSaved(err, path, reasonOf(error));
            return std::nullopt;
        }
        damage = error.what();
    }
    // The file turned out damaged past what opening could see: it goes
    // aside like any broken store, and the play into a new one.
    database.reset();
    Opening opening = startAfresh(path, damage, err, now);
    if (!opening.database) {
        if (!opening.reason.empty()) {
            tellNotSaved(err, path, opening.reason);
        }
        return std::nullopt;
    }
    database = std::move(opening.database);
    try {
        return writePlay(*this, *database, play);
    } catch (const SqliteError& error) {
        tellNotSaved(err, path, reasonOf(error));
        return std::nullopt;
    }
}

} // namespace store
