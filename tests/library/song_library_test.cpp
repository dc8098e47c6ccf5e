#include "library/song_library.h"

#include "support/library_fixture.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;
using library::ChartState;
using library::Density;

using testsupport::settle;
using testsupport::writeSong;

class SongLibraryTest : public ::testing::Test {
protected:
    SongLibraryTest() {
        tool = testsupport::writeFakeChartTool(scratch);
        for (const char* folder : {"music/sub", "run/Sound", "cache"}) {
            fs::create_directories(scratch.path() / folder);
        }
        writeSong(scratch.path() / "music/b.wav", 11.0, "Beta", "Band");
        writeSong(scratch.path() / "music/sub/a.wav", 11.0, nullptr, nullptr);
        writeSong(scratch.path() / "music/short.wav", 3.0, "Short", "Band");
        scratch.write("music/notes.ogg", "these are words, not music");
        scratch.write("music/empty.wav", "");
        writeSong(scratch.path() / "run/Sound/shipped.wav", 11.5, nullptr, nullptr);
    }

    library::LibraryPlaces places() {
        library::SongRow shipped;
        shipped.path = scratch.path() / "run/Sound/shipped.wav";
        shipped.title = "Shipped";
        return {{scratch.path() / "music"},
                scratch.path() / "cache",
                tool,
                shipped,
                scratch.path() / "run"};
    }

    std::vector<std::string> names(const library::SongLibrary& songs) {
        std::vector<std::string> found;
        for (const library::SongRow& row : songs.list().rows()) {
            found.push_back(row.name() + (row.problem.empty() ? "" : " (" + row.problem + ")"));
        }
        return found;
    }

    testsupport::ScratchDir scratch;
    fs::path tool;
};

TEST_F(SongLibraryTest, ListsChartsAndSkipsThenAWarmStartKnowsItAllWithoutTheTool) {
    {
        library::SongLibrary songs(places());
        settle(songs);
        EXPECT_EQ(names(songs),
                  (std::vector<std::string>{"Shipped", "a.wav", "Beta", "empty.wav (empty file)",
                                            "notes.ogg (not audio that can be decoded)",
                                            "Short (shorter than 10 s)"}));
        EXPECT_EQ(songs.playableCount(), 3);
        EXPECT_EQ(songs.chartedCount(), 3);
        const library::SongRow& beta = songs.list().rows()[2];
        EXPECT_EQ(beta.artist, "Band");
        EXPECT_EQ(beta.lengthMs, 11000);
        EXPECT_EQ(beta.identity.size(), 64u);
        EXPECT_EQ(beta.tempoBpm, 128.0);
        EXPECT_EQ(beta.chart(Density::Hard), ChartState::Missing);
        EXPECT_EQ(songs.playFolder(beta, Density::Normal),
                  scratch.path() / "cache/charts" /
                      (beta.identity + "-normal-v" + std::to_string(library::kChartVersion)));
        EXPECT_EQ(songs.playFolder(beta, Density::Hard), std::nullopt);
        EXPECT_EQ(songs.playFolder(songs.list().rows()[0], Density::Normal),
                  scratch.path() / "run");

        // The shipped song's other densities are charted like any song's.
        songs.list().harder();
        songs.chartFirst(beta, Density::Hard);
        settle(songs);
        EXPECT_EQ(songs.chartedCount(), 3);
        const std::string skipped = testsupport::readFile(scratch.path() / "cache/skipped.txt");
        for (const char* line :
             {"/music/empty.wav\tempty file\n", "/music/notes.ogg\tnot audio that can be decoded\n",
              "/music/short.wav\tshorter than 10 s\n"}) {
            EXPECT_NE(skipped.find(line), std::string::npos) << skipped;
        }
    }
    const std::string runs = testsupport::readFile(scratch.path() / "tool/runs.txt");
    EXPECT_EQ(std::count(runs.begin(), runs.end(), '\n'), 5) << runs;

    // Moved and renamed, a song keeps its chart: it is known by its bytes.
    fs::rename(scratch.path() / "music/b.wav", scratch.path() / "music/sub/renamed.wav");
    library::SongLibrary again(places());
    settle(again);
    EXPECT_EQ(testsupport::readFile(scratch.path() / "tool/runs.txt"), runs)
        << "nothing charted twice";
    EXPECT_EQ(again.chartedCount(), 3);
    const library::SongRow* moved = again.list().find(scratch.path() / "music/sub/renamed.wav");
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->title, "Beta");
    EXPECT_EQ(moved->chart(Density::Hard), ChartState::Charted);
}

TEST_F(SongLibraryTest, ASongTheToolCannotChartIsNotTriedAgainUntilItChanges) {
    scratch.write("tool/fake-chart", "#!/bin/sh\necho \"$1 $3\" >> \"$(dirname \"$0\")/runs.txt\"\n"
                                     "echo \"cueflight-chart: $1: no beats found\" >&2; exit 1\n");
    {
        library::SongLibrary songs(places());
        settle(songs);
        EXPECT_EQ(songs.list().find(scratch.path() / "music/b.wav")->problem, "no beats found");
    }
    // The shipped song's normal chart is made by hand.
    const std::string runs = testsupport::readFile(scratch.path() / "tool/runs.txt");
    EXPECT_EQ(std::count(runs.begin(), runs.end(), '\n'), 2) << runs;
    {
        library::SongLibrary songs(places());
        settle(songs);
    }
    EXPECT_EQ(testsupport::readFile(scratch.path() / "tool/runs.txt"), runs);
    writeSong(scratch.path() / "music/b.wav", 12.0, "Beta", "Band"); // changed
    library::SongLibrary songs(places());
    settle(songs);
    const std::string later = testsupport::readFile(scratch.path() / "tool/runs.txt");
    EXPECT_EQ(std::count(later.begin(), later.end(), '\n'), 3) << later;
}

} // namespace
