#include "app/config.h"
#include "app/settings.h"
#include "app/window.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <climits>
#include <sstream>

namespace {

class ConfigTest : public ::testing::Test {
protected:
    void SetUp() override { setDefaultSettings(); }
    void TearDown() override { setDefaultSettings(); }

    void load(const std::string& text) {
        std::istringstream in(text);
        loadConfig(in, window);
    }

    Window window;
};

TEST(ConfigInteger, ReadsLikeScanfPercentI) {
    EXPECT_EQ(parseConfigInteger("768"), 768);
    EXPECT_EQ(parseConfigInteger("0x300"), 768);
    EXPECT_EQ(parseConfigInteger("0X1f"), 31);
    EXPECT_EQ(parseConfigInteger("010"), 8);
    EXPECT_EQ(parseConfigInteger("  \t-42"), -42);
    EXPECT_EQ(parseConfigInteger("+7"), 7);
    EXPECT_EQ(parseConfigInteger("3abc"), 3);
    EXPECT_EQ(parseConfigInteger("09"), 0); // octal stops at the 9
    EXPECT_EQ(parseConfigInteger("abc"), std::nullopt);
    EXPECT_EQ(parseConfigInteger(""), std::nullopt);
    EXPECT_EQ(parseConfigInteger("- 3"), std::nullopt);
    // Huge values are pinned to the int range.
    EXPECT_EQ(parseConfigInteger("99999999999999999999"), INT_MAX);
    EXPECT_EQ(parseConfigInteger("-99999999999"), INT_MIN);
}

TEST_F(ConfigTest, MissingFileKeepsEveryDefault) {
    window.width = 640;
    loadConfig("/nonexistent/config.cfg", window);
    EXPECT_EQ(window.width, 640);
    EXPECT_EQ(window.height, 768);
    EXPECT_EQ(glMajorVersion, 2);
    EXPECT_EQ(glMinorVersion, 1);
    EXPECT_TRUE(forwardcontextflag);
}

TEST_F(ConfigTest, CommentsBlankLinesUnknownKeysAndKeysWithBlanksChangeNothing) {
    load("# window_width=10\n\n#showfps=true\nwidth=5\nno equals sign\nwindow_width\n");
    load("window_width = 640\nWindow_width=640\n window_width=640\n");
    EXPECT_EQ(window.width, 1024);
    EXPECT_FALSE(showfps);
    EXPECT_EQ(windowWidth, 0);
}

// A hash later in a line is ordinary text, and a carriage return before the
// line feed is dropped.
TEST_F(ConfigTest, HashLaterInALineIsTextAndCarriageReturnsAreDropped) {
    load("window_width=800#comment\nshowfps=true#\n");
    EXPECT_EQ(window.width, 800);
    EXPECT_FALSE(showfps);
    load("showfps=true\r\nwindow_height=600\r\nfullscreen=true\r");
    EXPECT_TRUE(showfps);
    EXPECT_EQ(window.height, 600);
    EXPECT_EQ(window.mode, platform::GLFW_FULLSCREEN);
}

TEST_F(ConfigTest, OnlyTheExactWordTrueIsTrue) {
    load("fullscreen=TRUE\nforwardcontextflag=true \nshowfps=true=yes\n");
    EXPECT_EQ(window.mode, platform::GLFW_WINDOW);
    EXPECT_FALSE(forwardcontextflag);
    EXPECT_FALSE(showfps);
    load("fullscreen=true\nforwardcontextflag=true\nshowfps=true\n");
    EXPECT_EQ(window.mode, platform::GLFW_FULLSCREEN);
    EXPECT_TRUE(forwardcontextflag);
    EXPECT_TRUE(showfps);
}

TEST_F(ConfigTest, VersionNumbersTakeLeadingDigitsHexOrKeepTheirValue) {
    load("glMajorVersion=3abc\nglMinorVersion=0x2\n");
    EXPECT_EQ(glMajorVersion, 3);
    EXPECT_EQ(glMinorVersion, 2);
    load("glMajorVersion=abc\n");
    EXPECT_EQ(glMajorVersion, 3);
}

TEST_F(ConfigTest, OffsetTakesEitherSignUpToItsLimitAndKeepsItsValueOnASlip) {
    EXPECT_EQ(offsetMs, 0);
    load("offset_ms=38\n");
    EXPECT_EQ(offsetMs, 38);
    load("offset_ms=-45\noffset_ms=soon\n");
    EXPECT_EQ(offsetMs, -45);
    load("offset_ms=900\n");
    EXPECT_EQ(offsetMs, 200);
    load("offset_ms=-900\n");
    EXPECT_EQ(offsetMs, -200);
    // Calibration writes tenths; the picture's latency has the same rules.
    load("offset_ms=37.5\nvisual_offset_ms=-12.5\n");
    EXPECT_EQ(offsetMs, 37.5);
    EXPECT_EQ(visualOffsetMs, -12.5);
    load("visual_offset_ms=0x10\nvisual_offset_ms=late\n");
    EXPECT_EQ(visualOffsetMs, 16.0);
    load("visual_offset_ms=-250.5\n");
    EXPECT_EQ(visualOffsetMs, -200.0);
}

// A later line wins, unless it is a slip; sizes go through the size integers.
TEST_F(ConfigTest, LaterLinesWinOverEarlierOnesButNotASlip) {
    load("window_width=640\nwindow_width=1280\nshowfps=true\nshowfps=false\n");
    EXPECT_EQ(window.width, 1280);
    EXPECT_FALSE(showfps);
    load("window_width=640\nwindow_width=oops\nwindow_height=0x1E0\n");
    EXPECT_EQ(windowWidth, 640);
    EXPECT_EQ(window.width, 640);
    EXPECT_EQ(windowHeight, 480);
    EXPECT_EQ(window.height, 480);
}

TEST_F(ConfigTest, SongAndItsEndDefaultToTheShippedOnesAndTakeTheLastGoodLine) {
    load("window_width=640\n");
    EXPECT_EQ(musicPath, "Sound/nooneknows.mp3");
    EXPECT_EQ(songEndMs, 116000);
    load("music=Sound/a.ogg\nmusic=Sound/my song=1.flac\nsong_end_ms=0x3e8\n");
    EXPECT_EQ(musicPath, "Sound/my song=1.flac");
    EXPECT_EQ(songEndMs, 1000);
    load("song_end_ms=soon\nsong_end_ms=0\nsong_end_ms=-5\n");
    EXPECT_EQ(songEndMs, 1000) << "an end that is no time after the start is a slip";
}

TEST_F(ConfigTest, ScoresNamesTheStoreAndEmptySavesNothing) {
    load("window_width=640\n");
    EXPECT_FALSE(scoresPath) << "unset: the data folder's store";
    load("scores=/elsewhere/my scores.db\n");
    EXPECT_EQ(scoresPath, "/elsewhere/my scores.db");
    load("scores=\n");
    EXPECT_EQ(scoresPath, "") << "empty: saving off, not the default";
}

TEST_F(ConfigTest, ASizeWithoutANumberKeepsTheWindowSideAndSidesBelowTwoBecomeTwo) {
    load("window_width=\nwindow_height=big\n");
    EXPECT_EQ(window.width, 1024);
    EXPECT_EQ(window.height, 768);
    EXPECT_EQ(windowWidth, 0);
    load("window_width=1\nwindow_height=-300\n");
    EXPECT_EQ(window.width, 2);
    EXPECT_EQ(window.height, 2);
    load("window_width=2\nwindow_height=3\n");
    EXPECT_EQ(window.width, 2);
    EXPECT_EQ(window.height, 3);
}

// The player's file counts key by key over the shipped one, but the level's
// keys stay the run folder's; a broken file counts not at all, in one line.
TEST_F(ConfigTest, ThePlayersFileGoesOverTheShippedOneAndABrokenOneIsToldAndLeftOut) {
    testsupport::ScratchDir scratch;
    std::ostringstream err;
    load("window_width=1024\nwindow_height=768\nmusic=Sound/song.ogg\nsong_end_ms=9000\n");
    const std::string mine =
        scratch.write("mine.cfg", "# mine\nwindow_width=640\noffset_ms=30\nmusic=Sound/other.mp3\n"
                                  "song_end_ms=1\nunknown=1\n");
    loadPlayerConfig(mine, false, window, err);
    EXPECT_EQ(window.width, 640);
    EXPECT_EQ(window.height, 768);
    EXPECT_EQ(offsetMs, 30);
    EXPECT_EQ(musicPath, "Sound/song.ogg");
    EXPECT_EQ(songEndMs, 9000);
    EXPECT_EQ(err.str(), "");

    // A missing file of their own is the usual case; one they named is not.
    loadPlayerConfig(scratch.file("absent.cfg"), false, window, err);
    EXPECT_EQ(err.str(), "");

    const std::string binary = scratch.write("binary.cfg", std::string("showfps=true\n\0\x01", 15));
    const std::string huge =
        scratch.write("huge.cfg", "showfps=true\n" + std::string(kPlayerConfigLimit, '#'));
    for (const std::string& broken :
         {scratch.file("absent.cfg"), binary, huge, scratch.path().string()}) {
        SCOPED_TRACE(broken);
        std::ostringstream line;
        loadPlayerConfig(broken, true, window, line);
        EXPECT_FALSE(showfps);
        const std::string said = line.str();
        EXPECT_EQ(said.rfind("cueflight: cannot use your settings " + broken + ": ", 0), 0u)
            << said;
        EXPECT_NE(said.find("; playing with the defaults\n"), std::string::npos);
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1);
    }
    EXPECT_EQ(window.width, 640) << "a broken file changes nothing";
}

// A level of the song library takes its song from its own folder and
// nothing else: the player's window and offset stay.
TEST_F(ConfigTest, ALevelsConfigGivesItsSongAndNothingElse) {
    testsupport::ScratchDir scratch;
    load("window_width=640\noffset_ms=25\nmusic=Sound/old.ogg\nsong_end_ms=5000\n");
    const std::string chart = scratch.write(
        "chart.cfg", "window_width=1024\noffset_ms=0\nmusic=Sound/song.flac\nsong_end_ms=70500\n");
    loadLevelConfig(chart);
    EXPECT_EQ(musicPath, "Sound/song.flac");
    EXPECT_EQ(songEndMs, 70500);
    EXPECT_EQ(window.width, 640);
    EXPECT_EQ(offsetMs, 25);
    loadLevelConfig(scratch.file("missing.cfg")); // the shipped song's own
    EXPECT_EQ(musicPath, "Sound/nooneknows.mp3");
    EXPECT_EQ(songEndMs, 116000);
}

} // namespace
