#include "store/score_store.h"

#include "store/sqlite_db.h"
#include "store_fixture.h"

#include <sqlite3.h>

#include <csignal>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using storetest::playOf;
using storetest::StoreTest;

TEST_F(StoreTest, APlayIsReadBackAsSavedWithItsCuesInOrder) {
    auto scores = openStore();
    ASSERT_NE(scores, nullptr);
    const store::PlayRecord saved = playOf("song-a", 33.3333);
    const std::optional<store::SaveReceipt> receipt = scores->save(saved, lines);
    ASSERT_TRUE(receipt);
    EXPECT_FALSE(receipt->previousBest);

    // Read back through a new connection: the play was committed.
    scores.reset();
    scores = store::ScoreStore::openForReading(file(), lines);
    ASSERT_NE(scores, nullptr);
    const std::optional<store::PlayRecord> read = scores->readPlay(receipt->playId);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->song.id, "song-a");
    EXPECT_EQ(read->song.title, "Title song-a");
    EXPECT_EQ(read->song.fileName, "song-a.ogg");
    EXPECT_EQ(read->song.lengthMs, 123456);
    EXPECT_EQ(read->density, "normal");
    EXPECT_EQ(read->chartVersion, 1);
    EXPECT_EQ(read->offsetMs, -12);
    EXPECT_EQ(read->playedAt, "2024-05-01T18:30:00Z");
    EXPECT_DOUBLE_EQ(read->accuracy, 33.3333);
    EXPECT_EQ(read->rating, "Gamer");
    EXPECT_EQ(read->hits, 1);
    EXPECT_EQ(read->misses, 2);
    EXPECT_EQ(read->bestStreak, 1);
    EXPECT_DOUBLE_EQ(read->meanMs, 4.5);
    EXPECT_FALSE(read->demo);
    ASSERT_EQ(read->cues.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(read->cues[i].timeMs, saved.cues[i].timeMs) << i;
        EXPECT_EQ(read->cues[i].outcome, saved.cues[i].outcome) << i;
        EXPECT_EQ(read->cues[i].offsetMs, saved.cues[i].offsetMs) << i;
    }
    EXPECT_FALSE(scores->readPlay(receipt->playId + 1));
    EXPECT_EQ(lines.str(), "");
}

TEST_F(StoreTest, BestsKeepDensitiesApartAndNeverCountDemoPlays) {
    auto scores = openStore();
    ASSERT_NE(scores, nullptr);
    ASSERT_TRUE(scores->save(playOf("a", 80.0), lines));
    // A better demo play is kept, yet the player's best stays theirs.
    const auto demo = scores->save(playOf("a", 100.0, "normal", true), lines);
    ASSERT_TRUE(demo);
    EXPECT_FALSE(demo->previousBest) << "the first demo play has no demo best before it";
    const auto worse = scores->save(playOf("a", 70.0), lines);
    ASSERT_TRUE(worse && worse->previousBest);
    EXPECT_DOUBLE_EQ(*worse->previousBest, 80.0);
    ASSERT_TRUE(scores->save(playOf("a", 95.0, "hard"), lines));
    ASSERT_TRUE(scores->save(playOf("b", 50.0, "easy"), lines));
    ASSERT_TRUE(scores->save(playOf("c", 60.0), lines));

    EXPECT_DOUBLE_EQ(scores->best("a", "normal", false).value_or(-1), 80.0);
    EXPECT_DOUBLE_EQ(scores->best("a", "normal", true).value_or(-1), 100.0);
    EXPECT_DOUBLE_EQ(scores->best("a", "hard", false).value_or(-1), 95.0);
    EXPECT_FALSE(scores->best("a", "easy", false));

    // Only the songs asked for; a song without plays has no row.
    std::vector<store::SongBest> rows = scores->bests({"a", "b", "unplayed"});
    std::sort(rows.begin(), rows.end(), [](const auto& l, const auto& r) {
        return l.songId + l.density < r.songId + r.density;
    });
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].songId + "/" + rows[0].density, "a/hard");
    EXPECT_EQ(rows[0].plays, 1);
    EXPECT_EQ(rows[1].songId + "/" + rows[1].density, "a/normal");
    EXPECT_DOUBLE_EQ(rows[1].bestAccuracy, 80.0);
    EXPECT_EQ(rows[1].plays, 2) << "demo plays are not the player's plays";
    EXPECT_EQ(rows[2].songId + "/" + rows[2].density, "b/easy");
}

TEST_F(StoreTest, HistoryIsTheSongsLatestPlaysNewestFirstWhateverTheFileWasCalled) {
    auto scores = openStore();
    ASSERT_NE(scores, nullptr);
    for (int i = 0; i < 12; ++i) {
        store::PlayRecord play = playOf("a", i);
        // The same bytes under another name later: still the same song.
        play.song.fileName = i < 6 ? "old name.ogg" : "moved/new name.ogg";
        ASSERT_TRUE(scores->save(play, lines));
        ASSERT_TRUE(scores->save(playOf("b", 50.0), lines));
    }
    const std::vector<store::PlaySummary> latest = scores->history("a");
    ASSERT_EQ(latest.size(), 10u);
    EXPECT_DOUBLE_EQ(latest.front().accuracy, 11.0);
    EXPECT_DOUBLE_EQ(latest.back().accuracy, 2.0);
    EXPECT_EQ(scores->history("a", 3).size(), 3u);
    const std::vector<store::PlayRecord> all = scores->plays(std::string("a"));
    ASSERT_EQ(all.size(), 12u);
    EXPECT_EQ(all.front().song.fileName, "moved/new name.ogg") << "the name last seen";
    EXPECT_EQ(scores->plays().size(), 24u);
}

TEST_F(StoreTest, ThePlayersLastPlayAtADensityIsFoundBehindAnyNumberOfOthers) {
    auto scores = openStore();
    ASSERT_NE(scores, nullptr);
    EXPECT_FALSE(scores->lastOwnPlay("a", "hard"));
    ASSERT_TRUE(scores->save(playOf("a", 60.0, "hard"), lines));
    const std::optional<store::SaveReceipt> own = scores->save(playOf("a", 70.0, "hard"), lines);
    ASSERT_TRUE(own);
    // Newer plays of other kinds: other densities, the demo's, another song.
    for (int i = 0; i < 12; ++i) {
        ASSERT_TRUE(scores->save(playOf("a", 80.0, i % 2 ? "easy" : "normal"), lines));
        ASSERT_TRUE(scores->save(playOf("a", 100.0, "hard", true), lines));
        ASSERT_TRUE(scores->save(playOf("b", 90.0, "hard"), lines));
    }
    const std::optional<long long> last = scores->lastOwnPlay("a", "hard");
    ASSERT_TRUE(last);
    EXPECT_EQ(*last, own->playId);
    const std::optional<store::PlayRecord> play = scores->readPlay(*last);
    ASSERT_TRUE(play);
    EXPECT_DOUBLE_EQ(play->accuracy, 70.0);
    EXPECT_EQ(play->song.id, "a");
}

TEST_F(StoreTest, TwoGamesFinishingAtOnceBothKeepTheirPlays) {
    // Each game has its own connection; without waiting for the other's
    // lock one of them would lose its play to SQLITE_BUSY.
    ASSERT_NE(openStore(), nullptr);
    constexpr int kPlays = 25;
    auto game = [this](const std::string& song, int& saved, std::string& told) {
        std::ostringstream err;
        auto scores = store::ScoreStore::open(file(), err);
        for (int i = 0; scores && i < kPlays; ++i) {
            saved += scores->save(playOf(song, i), err) ? 1 : 0;
        }
        told = err.str();
    };
    int savedA = 0;
    int savedB = 0;
    std::string toldA;
    std::string toldB;
    std::thread first(game, "a", std::ref(savedA), std::ref(toldA));
    std::thread second(game, "b", std::ref(savedB), std::ref(toldB));
    first.join();
    second.join();
    EXPECT_EQ(savedA, kPlays) << toldA;
    EXPECT_EQ(savedB, kPlays) << toldB;
    EXPECT_EQ(openStore()->plays().size(), 2u * kPlays);
}

TEST_F(StoreTest, AStoreLockedByAnotherProgramCostsThePlayAndNothingElse) {
    auto scores = openStore();
    ASSERT_NE(scores, nullptr);
    ASSERT_TRUE(scores->save(playOf("a", 50.0), lines));
    store::Database other(file(), true, 0);
    other.exec("BEGIN EXCLUSIVE");
    EXPECT_FALSE(scores->save(playOf("a", 90.0), lines));
    EXPECT_NE(lines.str().find("not saved"), std::string::npos) << lines.str();
    EXPECT_EQ(lineCount(), 1);
    other.exec("ROLLBACK");
    // Nothing of the refused play went in; the next one does.
    EXPECT_EQ(scores->plays().size(), 1u);
    EXPECT_TRUE(scores->save(playOf("a", 90.0), lines));
}

TEST_F(StoreTest, AFullDiskCostsThePlayAndLeavesTheStoreWhole) {
    ASSERT_TRUE(openStore()->save(playOf("a", 50.0), lines));
    // A game whose disk fills up half-way through writing a long play: the
    // file size limit stands in for the full disk.
    const pid_t game = fork();
    if (game == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{64 * 1024, 64 * 1024};
        setrlimit(RLIMIT_FSIZE, &limit);
        store::PlayRecord longPlay = playOf("b", 90.0);
        longPlay.cues.assign(20000, {1000.0, store::CueOutcome::Hit, 1.0});
        auto scores = openStore();
        const bool saved = scores && scores->save(longPlay, lines);
        _exit(saved ? 1 : lineCount() == 1 ? 0 : 2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(game, &status, 0), game);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0) << "1: saved anyway, 2: not one line";
    auto scores = openStore();
    ASSERT_NE(scores, nullptr) << lines.str();
    store::Database check(file(), false, 1000);
    store::Statement integrity(check, "PRAGMA integrity_check");
    ASSERT_TRUE(integrity.step());
    EXPECT_EQ(integrity.text(0), "ok");
    EXPECT_EQ(scores->plays().size(), 1u) << "nothing of the long play";
    EXPECT_TRUE(setAside().empty());
}

TEST_F(StoreTest, NoStoreWhereNoFileCanBeMadeJustOneLine) {
    scratch.write("not-a-folder", "x");
    const std::filesystem::path inside = scratch.path() / "not-a-folder" / "scores.db";
    EXPECT_EQ(store::ScoreStore::open(inside, lines), nullptr);
    EXPECT_EQ(lineCount(), 1) << lines.str();
    EXPECT_EQ(testsupport::readFile(scratch.path() / "not-a-folder"), "x");
}

} // namespace
