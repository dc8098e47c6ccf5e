#include "app/screens/select_layout.h"
#include "app/screens/select_screen.h"
#include "app/screens/select_text.h"
#include "app/screens/song_preview.h"

#include "support/library_fixture.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

namespace fs = std::filesystem;
using Kind = SelectAction::Kind;
using library::Density;

class SelectScreenTest : public ::testing::Test {
protected:
    SelectScreenTest() {
        fs::create_directories(scratch.path() / "music");
        fs::create_directories(scratch.path() / "run/Sound");
        fs::create_directories(scratch.path() / "cache");
        testsupport::writeSong(scratch.path() / "music/a.wav", 11.0, "Alpha", "Band");
        testsupport::writeSong(scratch.path() / "music/b.wav", 12.0, "Beta", "Band");
        testsupport::writeSong(scratch.path() / "music/c.wav", 40.0, "Gamma", "Band");
        testsupport::writeSong(scratch.path() / "run/Sound/shipped.wav", 11.5, nullptr, nullptr);
        library::SongRow shipped;
        shipped.path = scratch.path() / "run/Sound/shipped.wav";
        shipped.title = "Shipped";
        songs = std::make_unique<library::SongLibrary>(
            library::LibraryPlaces{{scratch.path() / "music"},
                                   scratch.path() / "cache",
                                   testsupport::writeFakeChartTool(scratch),
                                   shipped,
                                   scratch.path() / "run"});
        testsupport::settle(*songs);
    }

    // The pixel row of a row on screen in a 640x480 window.
    static int mouseYOfRow(int row) {
        return static_cast<int>((0.5f - selectlayout::rowCentreY(row)) * 480.0f);
    }

    SelectAction frame(SelectScreen& screen, SelectInput input, double now = 10.0) {
        return screen.frame(input, now, 640, 480);
    }

    testsupport::ScratchDir scratch;
    std::unique_ptr<library::SongLibrary> songs;
};

TEST_F(SelectScreenTest, KeysChooseTheSongAndDensityAndEnterPlaysItsChartOrChartsItFirst) {
    SelectScreen screen(*songs, nullptr);
    SelectInput input;
    input.down = 2;
    EXPECT_EQ(frame(screen, input).kind, Kind::None);
    EXPECT_EQ(songs->list().chosenRow()->title, "Beta");

    SelectInput enter;
    enter.enter = 1;
    const SelectAction play = frame(screen, enter);
    ASSERT_EQ(play.kind, Kind::Play);
    EXPECT_EQ(play.density, Density::Normal);
    EXPECT_EQ(play.folder, songs->playFolder(*songs->list().chosenRow(), Density::Normal));

    // Hard has no chart yet: Enter charts it first, then it plays by itself.
    SelectInput harder;
    harder.right = 1;
    harder.enter = 1;
    EXPECT_EQ(frame(screen, harder).kind, Kind::None);
    ASSERT_NE(screen.waitingFor(), nullptr);
    EXPECT_EQ(screen.waitingFor()->title, "Beta");
    SelectAction later;
    for (int i = 0; i < 3000 && later.kind == Kind::None; ++i) {
        songs->update(20.0 + i * 0.01);
        later = frame(screen, {});
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    ASSERT_EQ(later.kind, Kind::Play);
    EXPECT_EQ(later.density, Density::Hard);
    EXPECT_EQ(screen.waitingFor(), nullptr);

    // The shipped song's normal chart is the run folder's own.
    SelectInput top;
    top.home = 1;
    top.left = 1;
    top.enter = 1;
    EXPECT_EQ(frame(screen, top).folder, scratch.path() / "run");

    SelectInput quit;
    quit.escape = 1;
    EXPECT_EQ(frame(screen, quit).kind, Kind::Quit);
}

TEST_F(SelectScreenTest, AClickChoosesARowAndASecondClickSoonAfterPlaysIt) {
    SelectScreen screen(*songs, nullptr);
    SelectInput click;
    click.click = true;
    click.mouseY = mouseYOfRow(1);
    EXPECT_EQ(frame(screen, click, 1.0).kind, Kind::None);
    EXPECT_EQ(songs->list().chosenRow()->title, "Alpha");
    // Too late for a double click: only chosen again.
    EXPECT_EQ(frame(screen, click, 2.0).kind, Kind::None);
    EXPECT_EQ(frame(screen, click, 2.3).kind, Kind::Play);
    // A click on another row and back is no double click.
    click.mouseY = mouseYOfRow(2);
    frame(screen, click, 5.0);
    click.mouseY = mouseYOfRow(1);
    EXPECT_EQ(frame(screen, click, 5.2).kind, Kind::None);
    // Below the last row: nothing changes.
    click.mouseY = mouseYOfRow(10);
    frame(screen, click, 9.0);
    EXPECT_EQ(songs->list().chosenRow()->title, "Alpha");
}

TEST_F(SelectScreenTest, TabShowsTheSongsLastPlaysAndEnterOneOfThemItsEndScreen) {
    std::ostringstream lines;
    std::unique_ptr<store::ScoreStore> scores =
        store::ScoreStore::open(scratch.path() / "scores.db", lines);
    ASSERT_TRUE(scores) << lines.str();
    const library::SongRow& alpha = songs->list().rows()[1];
    for (double accuracy : {80.0, 92.5}) {
        store::PlayRecord play;
        play.song = {alpha.identity, "Alpha", "Band", "a.wav", 11000};
        play.density = "hard";
        play.playedAt = "2026-12-08T20:00:00Z";
        play.accuracy = accuracy;
        play.hits = 1;
        play.cues = {{2000.0, store::CueOutcome::Hit, 12.0}};
        ASSERT_TRUE(scores->save(play, lines)) << lines.str();
    }
    SelectScreen screen(*songs, scores.get());
    frame(screen, {}); // the walk is done: the bests come in
    EXPECT_EQ(alpha.bestPercent[static_cast<std::size_t>(Density::Hard)], 92.5);
    EXPECT_EQ(alpha.plays[static_cast<std::size_t>(Density::Hard)], 2);
    EXPECT_LT(alpha.bestPercent[static_cast<std::size_t>(Density::Normal)], 0.0);

    SelectInput down;
    down.down = 1;
    frame(screen, down);
    SelectInput tab;
    tab.tab = 1;
    frame(screen, tab);
    ASSERT_TRUE(screen.showingHistory());
    ASSERT_EQ(screen.history().size(), 2u);
    EXPECT_EQ(screen.history()[0].accuracy, 92.5) << "newest first";
    frame(screen, down);
    SelectInput enter;
    enter.enter = 1;
    const SelectAction shown = frame(screen, enter);
    ASSERT_EQ(shown.kind, Kind::StoredPlay);
    EXPECT_EQ(shown.play->accuracy, 80.0);
    EXPECT_TRUE(screen.showingStoredPlay());
    frame(screen, enter); // back to the history
    EXPECT_FALSE(screen.showingStoredPlay());
    EXPECT_TRUE(screen.showingHistory());
    frame(screen, tab); // back to the songs, the same one chosen
    EXPECT_FALSE(screen.showingHistory());
    EXPECT_EQ(songs->list().chosenRow()->title, "Alpha");
}

TEST_F(SelectScreenTest, F3PractisesWhereThePlayersLastPlayMissedMostAndF2Calibrates) {
    std::ostringstream lines;
    std::unique_ptr<store::ScoreStore> scores =
        store::ScoreStore::open(scratch.path() / "scores.db", lines);
    ASSERT_TRUE(scores) << lines.str();
    SelectScreen screen(*songs, scores.get());
    SelectInput last;
    last.end = 1;
    frame(screen, last);
    const library::SongRow& gamma = *songs->list().chosenRow();
    ASSERT_EQ(gamma.title, "Gamma");
    SelectInput practise;
    practise.practise = 1;

    // No play yet: the song's loudest stretch, as its chart found it.
    const SelectAction loudest = frame(screen, practise);
    ASSERT_EQ(loudest.kind, Kind::Play);
    ASSERT_TRUE(loudest.practice);
    EXPECT_EQ(loudest.folder, songs->playFolder(gamma, Density::Normal));
    EXPECT_EQ(loudest.practice->fromMs, gamma.previewMs);
    EXPECT_EQ(loudest.practice->speed, game::kOfferedSpeed);

    // The player's newest play at this density counts; an older one, the
    // demo's and another density's do not.
    auto save = [&](const char* at, const char* density, bool demo, double missedMs) {
        store::PlayRecord play;
        play.song = {gamma.identity, "Gamma", "Band", "c.wav", 40000};
        play.density = density;
        play.playedAt = at;
        play.demo = demo;
        play.cues = {{missedMs, store::CueOutcome::Missed, std::nullopt},
                     {missedMs + 700.0, store::CueOutcome::TooEarly, -300.0},
                     {missedMs + 1400.0, store::CueOutcome::Hit, 4.0}};
        ASSERT_TRUE(scores->save(play, lines)) << lines.str();
    };
    save("2026-12-08T20:00:00Z", "normal", false, 5000.0);
    save("2026-12-08T20:05:00Z", "normal", false, 20000.0);
    save("2026-12-08T20:10:00Z", "normal", true, 8000.0);
    save("2026-12-08T20:15:00Z", "hard", false, 11000.0);
    const SelectAction missed = frame(screen, practise);
    ASSERT_TRUE(missed.practice);
    EXPECT_EQ(missed.practice->fromMs, 19000.0);
    EXPECT_TRUE(missed.practice->practises(20700.0));

    SelectInput calibrate;
    calibrate.calibrate = 1;
    EXPECT_EQ(frame(screen, calibrate).kind, Kind::Calibrate);
}

TEST(SelectText, ColumnsLineUpAndNamesAreCutToFit) {
    library::SongRow row;
    row.path = "/m/song.flac";
    row.title = "A Title Much Longer Than Any Column Could Ever Hold";
    row.artist = "Someone";
    row.lengthMs = 214400;
    row.tempoBpm = 135.0;
    row.bestPercent = {-1.0, 97.45, 100.0};
    row.plays = {0, 3, 120};
    const std::string line = selecttext::rowLine(row);
    EXPECT_EQ(line.size(), selecttext::headerLine().size());
    EXPECT_EQ(line, "A Title Much Longer Than Any...   3:34  135 BPM         -   97.5 3x "
                    "100.0 99+");
    row.charts[static_cast<std::size_t>(Density::Hard)] = library::ChartState::Charting;
    row.chartingPercent = 45;
    EXPECT_NE(selecttext::rowLine(row).find(".. 45%"), std::string::npos);
    row.problem = "not audio that can be decoded";
    EXPECT_NE(selecttext::rowLine(row).find(" not audio that can be decoded"), std::string::npos);
    EXPECT_EQ(selecttext::lengthText(3723000), "1:02:03");
    EXPECT_EQ(selecttext::lengthText(0), "");
    EXPECT_EQ(selecttext::chartedLine(37, 120, false), "charted 37 of 120");
}

TEST(SongPreview, FadesInAndOutOverASecondAndIsSilentOutside) {
    EXPECT_EQ(previewGain(-1.0), 0.0f);
    EXPECT_FLOAT_EQ(previewGain(0.25), 0.25f);
    EXPECT_FLOAT_EQ(previewGain(1.0), 1.0f);
    EXPECT_FLOAT_EQ(previewGain(7.5), 1.0f);
    EXPECT_FLOAT_EQ(previewGain(14.5), 0.5f);
    EXPECT_EQ(previewGain(15.0), 0.0f);
}

} // namespace
