// The score store on disk: saving a finished play into a store that already
// holds 10,000 plays (as the end screen does: the save alone, and opening,
// saving and closing), and the library's best-per-song query for 2,000
// songs. Each beside its baseline from the same run: the same save into an
// empty store, a bare 4 KiB write and fsync in the same folder (the floor
// any durable commit pays), and counting the plays. Save timings report
// their 50th and 99th percentile as counters (p50_ms, p99_ms).

#include "store/score_store.h"
#include "store/sqlite_db.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sstream>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr int kStoredPlays = 10000;
constexpr int kSongs = 2000;
constexpr int kCuesPerPlay = 155; // the shipped song's judged cues

const char* kDensities[] = {"easy", "normal", "hard"};

std::string songIdOf(int song) {
    std::string id = std::to_string(song);
    return std::string(64 - id.size(), '0') + id;
}

store::PlayRecord playOf(int song, int density, double accuracy) {
    store::PlayRecord play;
    play.song = {songIdOf(song), "Song " + std::to_string(song), "Artist", "song.ogg", 180000};
    play.density = kDensities[density];
    play.chartVersion = 1;
    play.playedAt = "2024-05-01T18:30:00Z";
    play.accuracy = accuracy;
    play.rating = "Gamer";
    play.hits = kCuesPerPlay - 10;
    play.misses = 10;
    play.bestStreak = 80;
    play.meanMs = 3.5;
    play.spreadMs = 21.0;
    for (int cue = 0; cue < kCuesPerPlay; ++cue) {
        const bool hit = cue % 15 != 0;
        play.cues.push_back({2000.0 + 700.0 * cue,
                             hit ? store::CueOutcome::Hit : store::CueOutcome::Missed,
                             hit ? std::optional<double>((cue % 41) - 20.0) : std::nullopt});
    }
    return play;
}

fs::path benchFolder() {
    const fs::path folder = fs::temp_directory_path() / "cueflight-bench-scores";
    fs::create_directories(folder);
    return folder;
}

// A store of kStoredPlays plays over kSongs songs, every play with its cues;
// made once per run, by copying one saved play in SQL (saving each would
// take minutes of fsyncs).
const fs::path& fullStore() {
    static const fs::path file = [] {
        const fs::path made = benchFolder() / "full.db";
        for (const char* ending : {"", "-wal", "-shm"}) {
            fs::remove(made.string() + ending);
        }
        std::ostringstream err;
        store::ScoreStore::open(made, err)->save(playOf(0, 0, 50.0), err);
        store::Database database(made, true, 1000);
        database.exec("BEGIN");
        database.exec(("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                       std::to_string(kSongs - 1) +
                       ") INSERT INTO songs SELECT printf('%064d', i), title, artist, file_name, "
                       "length_ms FROM songs, n")
                          .c_str());
        database.exec(("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < " +
                       std::to_string(kStoredPlays - 1) +
                       ") INSERT INTO plays (song_id, density, chart_version, offset_ms, "
                       "played_at, accuracy, rating, hits, misses, best_streak, mean_ms, "
                       "spread_ms, demo) SELECT printf('%064d', i % " +
                       std::to_string(kSongs) +
                       "), CASE i % 3 WHEN 0 THEN 'easy' WHEN 1 THEN 'normal' ELSE 'hard' END, "
                       "chart_version, offset_ms, played_at, 40 + i % 60, rating, hits, misses, "
                       "best_streak, mean_ms, spread_ms, i % 7 = 0 FROM plays, n WHERE plays.id "
                       "= 1")
                          .c_str());
        database.exec("INSERT INTO cue_results SELECT p.id, c.seq, c.time_ms, c.outcome, "
                      "c.offset_ms FROM plays p, cue_results c WHERE c.play_id = 1 AND p.id > 1");
        database.exec("COMMIT");
        database.exec("PRAGMA wal_checkpoint(TRUNCATE)");
        return made;
    }();
    return file;
}

fs::path emptyStore() {
    const fs::path file = benchFolder() / "empty.db";
    for (const char* ending : {"", "-wal", "-shm"}) {
        fs::remove(file.string() + ending);
    }
    return file;
}

void reportPercentiles(benchmark::State& state, std::vector<double>& ms) {
    std::sort(ms.begin(), ms.end());
    auto at = [&ms](double share) {
        return ms[std::min(ms.size() - 1, static_cast<std::size_t>(share * ms.size()))];
    };
    state.counters["p50_ms"] = at(0.50);
    state.counters["p99_ms"] = at(0.99);
}

template <typename Step> void timeEach(benchmark::State& state, Step step) {
    std::vector<double> ms;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        step();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    reportPercentiles(state, ms);
}

void saveInto(benchmark::State& state, const fs::path& file) {
    std::ostringstream err;
    auto scores = store::ScoreStore::open(file, err);
    int played = 0;
    timeEach(state, [&] {
        ++played;
        if (!scores->save(playOf(played % kSongs, played % 3, played % 100), err)) {
            state.SkipWithError(err.str().c_str());
        }
    });
}

void BM_SaveWith10000PlaysStored(benchmark::State& state) {
    saveInto(state, fullStore());
}
BENCHMARK(BM_SaveWith10000PlaysStored)->Iterations(300)->Unit(benchmark::kMillisecond);

void BM_SaveIntoEmptyStore(benchmark::State& state) {
    saveInto(state, emptyStore());
}
BENCHMARK(BM_SaveIntoEmptyStore)->Iterations(300)->Unit(benchmark::kMillisecond);

// What the end of a song costs the game: it opens the store, checks it,
// saves and closes.
void BM_OpenSaveCloseWith10000PlaysStored(benchmark::State& state) {
    std::ostringstream err;
    int played = 0;
    timeEach(state, [&] {
        ++played;
        auto scores = store::ScoreStore::open(fullStore(), err);
        if (!scores || !scores->save(playOf(played % kSongs, 1, 75.0), err)) {
            state.SkipWithError(err.str().c_str());
        }
    });
}
BENCHMARK(BM_OpenSaveCloseWith10000PlaysStored)->Iterations(100)->Unit(benchmark::kMillisecond);

void BM_FsyncBaseline(benchmark::State& state) {
    const fs::path file = benchFolder() / "fsync.bin";
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const std::string page(4096, 'x');
    timeEach(state, [&] {
        if (::pwrite(fd, page.data(), page.size(), 0) < 0 || ::fsync(fd) != 0) {
            state.SkipWithError("write failed");
        }
    });
    ::close(fd);
}
BENCHMARK(BM_FsyncBaseline)->Iterations(300)->Unit(benchmark::kMillisecond);

void BM_Bests2000Songs(benchmark::State& state) {
    std::ostringstream err;
    auto scores = store::ScoreStore::open(fullStore(), err);
    std::vector<std::string> songs;
    for (int song = 0; song < kSongs; ++song) {
        songs.push_back(songIdOf(song));
    }
    std::size_t rows = 0;
    for (auto _ : state) {
        rows = scores->bests(songs).size();
        benchmark::DoNotOptimize(rows);
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_Bests2000Songs)->Unit(benchmark::kMillisecond);

void BM_CountPlaysBaseline(benchmark::State& state) {
    store::Database database(fullStore(), false, 1000);
    for (auto _ : state) {
        benchmark::DoNotOptimize(database.queryInteger("SELECT count(*) FROM plays"));
    }
}
BENCHMARK(BM_CountPlaysBaseline)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
