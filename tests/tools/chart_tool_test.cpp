#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "app/config.h"
#include "app/settings.h"
#include "app/window.h"
#include "chart.h"
#include "chart_folder.h"
#include "chart_tool.h"
#include "click_track.h"
#include "game/course.h"
#include "game/time_controller.h"
#include "song_file.h"
#include "support/scratch_dir.h"
#include "support/wav_writer.h"

namespace {

namespace fs = std::filesystem;

// A small stand-in for the game's run folder.
class ChartTool : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(runDir() / "Sound");
        fs::create_directories(runDir() / "Models");
        std::ofstream(runDir() / "config.cfg") << "window_width=1024\nwindow_height=768\n";
        std::ofstream(runDir() / "Sound" / "stab0041.wav") << "stab";
        std::ofstream(runDir() / "rec2.cfg") << "the shipped cues";
    }

    fs::path runDir() const { return scratch.path() / "run"; }
    fs::path out(const std::string& name) const { return scratch.path() / "charts" / name; }

    // Runs the tool; its exit status, and what it printed in `printed`.
    int run(std::vector<std::string> args) {
        std::ostringstream outText, errText;
        const std::string cache = (scratch.path() / "cache").string();
        const int status = chart::runChartTool(
            args, runDir(), outText, errText,
            [cache](const char* name) -> std::optional<std::string> {
                return std::string(name) == "XDG_CACHE_HOME" ? std::optional(cache) : std::nullopt;
            });
        printed = outText.str();
        error = errText.str();
        return status;
    }

    fs::path song(const std::string& name, double seconds, int rate, int channels) {
        const fs::path path = scratch.path() / name;
        EXPECT_TRUE(testsupport::writeWav(
            path,
            charttest::clickTrack(charttest::beatClicks(125.0, seconds * 1000.0), seconds, rate,
                                  channels),
            rate, channels));
        return path;
    }

    testsupport::ScratchDir scratch;
    std::string printed, error;
};

TEST_F(ChartTool, WritesARunFolderWhoseFilesTheGameLoadsAsTheyAre) {
    const fs::path wav = song("six.wav", 20.0, 96000, 6);
    ASSERT_EQ(run({"--density", "easy", wav.string(), "--out", out("six").string()}), 0) << error;
    EXPECT_EQ(error, "");
    const fs::path dir = out("six");
    EXPECT_TRUE(fs::is_symlink(dir / "Models"));
    EXPECT_TRUE(fs::is_symlink(dir / "Sound" / "stab0041.wav"));
    EXPECT_EQ(fs::file_size(dir / "Sound" / "song.wav"), fs::file_size(wav));

    setDefaultSettings();
    Window window;
    loadConfig((dir / "config.cfg").string(), window);
    EXPECT_EQ(window.width, 1024);
    EXPECT_EQ(musicPath, "Sound/song.wav");
    EXPECT_GT(songEndMs, 18000);
    EXPECT_LE(songEndMs, 20000);

    const std::vector<double> cues =
        util::TimeController::loadRecording((dir / "rec2.cfg").string());
    ASSERT_GE(cues.size(), 5u);
    EXPECT_GT(cues.back(), songEndMs) << "the never-judged cue lies past the end";
    EXPECT_LT(cues[cues.size() - 2], songEndMs);
    const std::string summary =
        "CHART: 125.0 BPM, " +
        std::to_string(util::TimeController::loadRecording((dir / "rec.cfg").string()).size()) +
        " beats, " + std::to_string(cues.size() - 1) + " cues, 20.0 s\n";
    EXPECT_EQ(printed, summary);

    std::ostringstream courseErrors;
    EXPECT_FALSE(fs::is_symlink(dir / "course.cfg"));
    EXPECT_TRUE(game::loadCourse((dir / "course.cfg").string(), songEndMs, courseErrors));
    EXPECT_EQ(courseErrors.str(), "");

    const std::string mark = testsupport::readFile(dir / "chart.cfg");
    EXPECT_EQ(mark.rfind("# cueflight-chart made this folder and may replace it with a new chart.\n"
                         "chart_version=" +
                             std::to_string(chart::kChartVersion) +
                             "\ndensity=easy\ntempo_bpm=125.0\npreview_ms=",
                         0),
              0u)
        << mark;
    EXPECT_NE(mark.find("\nsong_file=six.wav\n"), std::string::npos) << mark;
}

TEST_F(ChartTool, OnlyAnEarlierChartIsReplacedAndNothingOfItIsLeftBeside) {
    const fs::path wav = song("song.wav", 12.0, 8000, 1);
    // The library follows the charting by its progress lines, which only rise.
    ASSERT_EQ(run({wav.string(), "--progress", "--out", out("song").string()}), 0) << error;
    std::istringstream lines(printed);
    std::string line;
    int last = -1;
    int told = 0;
    while (std::getline(lines, line) && line.rfind("PROGRESS: ", 0) == 0) {
        const int percent = std::stoi(line.substr(10));
        EXPECT_GT(percent, last);
        EXPECT_LE(percent, 100);
        last = percent;
        ++told;
    }
    EXPECT_GE(told, 3) << printed;
    EXPECT_EQ(line.rfind("CHART: ", 0), 0u) << "the summary comes last: " << printed;
    std::ofstream(out("song") / "stale.txt") << "from the first chart";
    ASSERT_EQ(run({wav.string(), "--density", "hard", "--out", out("song").string()}), 0) << error;
    EXPECT_FALSE(fs::exists(out("song") / "stale.txt"));
    EXPECT_NE(testsupport::readFile(out("song") / "chart.cfg").find("density=hard"),
              std::string::npos);
    std::vector<fs::path> beside;
    for (const auto& entry : fs::directory_iterator(out(""))) {
        beside.push_back(entry.path().filename());
    }
    EXPECT_EQ(beside, std::vector<fs::path>{"song"}) << "the old copy and the build are gone";

    // A player's folder that looks like a level is theirs, config and all.
    scratch.write("charts/mine/config.cfg", "music=Sound/x.ogg\n");
    scratch.write("charts/mine/rec2.cfg", "my cues");
    EXPECT_EQ(run({wav.string(), "--out", out("mine").string()}), 1);
    EXPECT_EQ(error, "cueflight-chart: " + wav.string() + ": " + out("mine").string() +
                         " exists and is not a chart folder\n");
    EXPECT_EQ(testsupport::readFile(out("mine") / "rec2.cfg"), "my cues");

    // The run folder stays the game's even with a mark copied into it, and
    // under another name for it.
    scratch.write("run/chart.cfg", "chart_version=1\n");
    fs::create_directory_symlink(runDir(), scratch.path() / "alias");
    for (const fs::path& target : {runDir(), scratch.path() / "alias", runDir() / "."}) {
        EXPECT_EQ(run({wav.string(), "--out", target.string()}), 1) << target;
        EXPECT_NE(error.find("is the game's own run folder"), std::string::npos) << error;
        EXPECT_EQ(testsupport::readFile(runDir() / "rec2.cfg"), "the shipped cues");
    }
}

// An old chart that cannot be removed does not undo the new one in place:
// made so with an immutable file, which even root cannot remove.
TEST_F(ChartTool, AnEarlierChartThatWillNotGoIsAWarningOnceTheNewOneIsInPlace) {
    const fs::path wav = song("song.wav", 12.0, 8000, 1);
    ASSERT_EQ(run({wav.string(), "--out", out("song").string()}), 0) << error;
    const std::string stuck = scratch.write("charts/song/stuck.txt", "immutable");
    if (std::system(("chattr +i '" + stuck + "' 2>/dev/null").c_str()) != 0) {
        GTEST_SKIP() << "this file system has no immutable files";
    }
    // Wherever the file went, it must become removable again for the scratch folder.
    struct Unstick {
        fs::path charts;
        ~Unstick() {
            for (const auto& entry : fs::recursive_directory_iterator(charts)) {
                if (entry.path().filename() == "stuck.txt") {
                    EXPECT_EQ(std::system(("chattr -i '" + entry.path().string() + "'").c_str()),
                              0);
                }
            }
        }
    } unstick{out("")};
    ASSERT_EQ(run({wav.string(), "--out", out("song").string()}), 0) << error;
    EXPECT_FALSE(fs::exists(out("song") / "stuck.txt")) << "the new chart is in place";
    EXPECT_NE(error.find("warning: could not remove the earlier chart"), std::string::npos)
        << error;
    EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1);
}

// Decoded in chunks of 65536 frames: the last chunk, a single frame here,
// is read too, and so is the whole of the longest song.
TEST_F(ChartTool, DecodesEveryFrameOfTheSong) {
    const fs::path wav = scratch.path() / "odd.wav";
    constexpr std::size_t frames = 2 * 65536 + 1;
    ASSERT_TRUE(testsupport::writeWav(wav, std::vector<float>(frames, 0.25f), 8000, 1));
    std::string reason;
    const std::optional<chart::DecodedSong> decoded = chart::decodeSong(wav, reason);
    ASSERT_TRUE(decoded) << reason;
    EXPECT_EQ(decoded->signal.samples.size(), frames);
    EXPECT_EQ(decoded->seconds, frames / 8000.0);

    // The longest song taken, 20 min, whole: reading stops only a little
    // past that. At this rate a chunk ends within the song's last second.
    const fs::path longest = scratch.path() / "longest.wav";
    constexpr int rate = 8032;
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(longest.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    const std::vector<short> second(rate, 0);
    for (int i = 0; i < 20 * 60; ++i) {
        ASSERT_EQ(sf_writef_short(file, second.data(), rate), rate);
    }
    ASSERT_EQ(sf_close(file), 0);
    const std::optional<chart::DecodedSong> whole = chart::decodeSong(longest, reason);
    ASSERT_TRUE(whole) << reason;
    EXPECT_EQ(whole->seconds, 20 * 60.0);
}

// A short text reaches the disk only as its file closes: a full disk must
// show there.
TEST_F(ChartTool, AFileWrittenOnAFullDiskIsAFailure) {
    EXPECT_TRUE(chart::writeText(scratch.path() / "a.txt", "tempo_bpm=120.0\n"));
    EXPECT_EQ(testsupport::readFile(scratch.path() / "a.txt"), "tempo_bpm=120.0\n");
    if (!fs::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full here";
    }
    EXPECT_FALSE(chart::writeText("/dev/full", "tempo_bpm=120.0\n"));
}

TEST_F(ChartTool, BadInputGivesOneLineAndWritesNothing) {
    std::ofstream(scratch.path() / "text.wav") << "not a sound at all, only words\n";
    const struct {
        fs::path song;
        std::string reason;
    } cases[] = {
        {scratch.path() / "missing.ogg", "no such file"},
        {scratch.path() / "text.wav", "not audio that can be decoded"},
        {song("short.wav", 3.0, 44100, 2), "shorter than 10 s"},
        {song("silent.wav", 0.0, 44100, 1), "shorter than 10 s"},
    };
    for (const auto& bad : cases) {
        SCOPED_TRACE(bad.song);
        EXPECT_EQ(run({bad.song.string(), "--out", out("bad").string()}), 1);
        EXPECT_EQ(printed, "");
        EXPECT_EQ(error.rfind("cueflight-chart: " + bad.song.string() + ": " + bad.reason, 0), 0u)
            << error;
        EXPECT_EQ(std::count(error.begin(), error.end(), '\n'), 1);
        EXPECT_FALSE(fs::exists(out("bad")));
    }
    // A song too long is refused from its header; a game without its
    // settings gives no chart that could not open the game's window.
    const fs::path mono = song("mono.wav", 12.0, 8000, 1);
    const fs::path longSong = scratch.path() / "long.wav";
    ASSERT_TRUE(testsupport::writeWav(longSong, std::vector<float>(1201 * 8000, 0.1f), 8000, 1));
    EXPECT_EQ(run({longSong.string(), "--out", out("long").string()}), 1);
    EXPECT_EQ(error, "cueflight-chart: " + longSong.string() + ": longer than 20 min\n");
    fs::rename(runDir() / "config.cfg", scratch.path() / "config.away");
    EXPECT_EQ(run({mono.string(), "--out", out("bad").string()}), 1);
    EXPECT_NE(error.find("cannot read the game's settings"), std::string::npos) << error;
    EXPECT_FALSE(fs::exists(out("bad")));
    fs::rename(scratch.path() / "config.away", runDir() / "config.cfg");

    EXPECT_EQ(run({mono.string(), "--density", "extreme"}), 2);
    EXPECT_EQ(error, "usage: cueflight-chart SONG [--density easy|normal|hard] [--out DIR] "
                     "[--progress]\n");
    EXPECT_EQ(run({}), 2);
    // An unknown option, an empty word and a second song are no song.
    for (const std::vector<std::string>& args : {std::vector<std::string>{"--loud"},
                                                 {"---"},
                                                 {"", mono.string()},
                                                 {mono.string(), mono.string()}}) {
        EXPECT_EQ(run(args), 2) << args.front();
    }
    for (const char* help : {"--help", "-h"}) {
        EXPECT_EQ(run({help}), 0);
        EXPECT_EQ(printed.rfind("usage: cueflight-chart SONG", 0), 0u) << printed;
    }
    // Without --out the chart goes to the player's cache folder.
    ASSERT_EQ(run({mono.string()}), 0) << error;
    EXPECT_TRUE(fs::exists(scratch.path() / "cache/cueflight/charts/mono-normal/rec2.cfg"));
}

} // namespace
