#include "scores_tool.h"

#include "library/song_identity.h"
#include "store/score_store.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

class ScoresToolTest : public testing::Test {
protected:
    // Two plays of one song (its file holds "tune"), one of another.
    void SetUp() override {
        auto scores = store::ScoreStore::open(storeFile(), err);
        ASSERT_NE(scores, nullptr);
        songFile = scratch.write("tune.ogg", "tune");
        store::PlayRecord play;
        play.song = {identityOfTune(), "Tune, \"live\"", "Band", "tune.ogg", 1000};
        play.density = "hard";
        play.playedAt = "2024-05-01T18:30:00Z";
        play.accuracy = 97.4;
        play.rating = "Wow, you're a GOD";
        play.hits = 37;
        play.misses = 1;
        ASSERT_TRUE(scores->save(play, err));
        play.demo = true;
        play.playedAt = "2024-05-02T08:00:00Z";
        ASSERT_TRUE(scores->save(play, err));
        play.song.id = std::string(64, 'f');
        play.song.title = "Other";
        ASSERT_TRUE(scores->save(play, err));
    }

    std::string identityOfTune() {
        std::string error;
        return *library::songIdentity(scratch.write("tune.ogg", "tune"), error);
    }
    std::string storeFile() const { return scratch.file("scores.db"); }
    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return scores::runScoresTool(args, out, err);
    }

    testsupport::ScratchDir scratch;
    std::string songFile;
    std::ostringstream out;
    std::ostringstream err;
};

TEST_F(ScoresToolTest, CsvListsEveryPlayOldestFirstWithFieldsQuotedWhereTheyMustBe) {
    ASSERT_EQ(run({"--csv", "--store", storeFile()}), 0) << err.str();
    std::istringstream lines(out.str());
    std::string header;
    std::string first;
    std::getline(lines, header);
    std::getline(lines, first);
    EXPECT_EQ(header, "date,title,artist,density,accuracy,rating,hits,misses,best_streak,mean_ms,"
                      "spread_ms,offset_ms,demo,chart_version,file,song_id\r");
    EXPECT_EQ(first, "2024-05-01T18:30:00Z,\"Tune, \"\"live\"\"\",Band,hard,97.40,\"Wow, you're "
                     "a GOD\",37,1,0,0.0,0.0,0,no,0,tune.ogg," +
                         identityOfTune() + "\r");
    const std::string csv = out.str();
    EXPECT_EQ(std::count(csv.begin(), csv.end(), '\n'), 4);
}

TEST_F(ScoresToolTest, SongPicksThePlaysOfThatFilesBytesAndTheTableReadsAligned) {
    ASSERT_EQ(run({"--song", songFile, "--store", storeFile()}), 0) << err.str();
    const std::string table = out.str();
    EXPECT_EQ(std::count(table.begin(), table.end(), '\n'), 3);
    EXPECT_EQ(table.find("Other"), std::string::npos);
    EXPECT_NE(table.find("2024-05-02T08:00:00Z  Tune, \"live\"  Band"), std::string::npos) << table;
    EXPECT_EQ(table.find(identityOfTune()), std::string::npos) << "the id is CSV's alone";
}

TEST_F(ScoresToolTest, WhatItCannotDoItSaysInOneLine) {
    EXPECT_EQ(run({"--frobnicate"}), 2);
    EXPECT_NE(err.str().find("unknown argument '--frobnicate'"), std::string::npos);
    EXPECT_EQ(run({"--song"}), 2);
    EXPECT_EQ(run({"--store", scratch.file("none.db")}), 1);
    EXPECT_EQ(run({"--song", scratch.file("gone.ogg"), "--store", storeFile()}), 1);
    EXPECT_EQ(out.str(), "");
}

} // namespace
