#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>

#include "audio_io.h"
#include "cue_track.h"
#include "game/time_controller.h"
#include "score.h"
#include "song_generator.h"
#include "song_onsets.h"
#include "song_timing.h"
#include "support/scratch_dir.h"

namespace {

using songgen::sampleToMs;

// One full generation shared by the tests that only read its files.
class GeneratedSong : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        dir = new testsupport::ScratchDir();
        generated = songgen::generateAll(dir->path());
    }
    static void TearDownTestSuite() {
        delete dir;
        dir = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(generated); }

    static std::filesystem::path file(const std::filesystem::path& name) {
        return dir->path() / name;
    }

    static std::vector<double> load(const std::filesystem::path& name) {
        return util::TimeController::loadRecording(file(name).string());
    }

    // The cues the game judges: all loaded ones but the last.
    static std::vector<double> judgedCues() {
        std::vector<double> cues = load(songgen::cueTrackFile);
        if (!cues.empty()) {
            cues.pop_back();
        }
        return cues;
    }

    // First and one-past-last sample of the named section of the song.
    static std::pair<int64_t, int64_t> sectionSamples(const std::string& name) {
        for (const songgen::Section& section : songgen::composeSong().sections) {
            if (section.name == name) {
                return {section.firstBar * songgen::samplesPerBar,
                        section.endBar * songgen::samplesPerBar};
            }
        }
        ADD_FAILURE() << "no section " << name;
        return {0, 1};
    }

    inline static testsupport::ScratchDir* dir = nullptr;
    inline static bool generated = false;
};

TEST_F(GeneratedSong, IsByteIdenticalFromRunToRun) {
    testsupport::ScratchDir second;
    ASSERT_TRUE(songgen::generateAll(second.path()));
    for (const auto& name : {songgen::songFile, songgen::stabFile, songgen::clickFile,
                             songgen::beatTrackFile, songgen::cueTrackFile}) {
        std::string first = testsupport::readFile(file(name));
        EXPECT_FALSE(first.empty()) << name;
        EXPECT_TRUE(first == testsupport::readFile(second.path() / name))
            << name << " differs between runs";
    }
}

TEST_F(GeneratedSong, LoaderYieldsTheNoteTimesToTheSample) {
    const std::vector<int64_t> placed = songgen::selectCues(songgen::composeSong());
    const std::vector<double> loaded = load(songgen::cueTrackFile);
    ASSERT_EQ(loaded.size(), placed.size() + 1) << "the placed cues plus one after the song's end";
    for (size_t i = 0; i < placed.size(); ++i) {
        EXPECT_NEAR(loaded[i], sampleToMs(placed[i]), 1e-6) << "cue " << i;
        EXPECT_EQ(std::llround(loaded[i] * songgen::sampleRate / 1000.0), placed[i]) << "cue " << i;
    }
    const double songEndMs = sampleToMs(songgen::songSamples);
    EXPECT_GT(loaded.back(), songEndMs) << "the never-judged last cue lies past the music";

    const std::vector<double> beats = load(songgen::beatTrackFile);
    ASSERT_EQ(beats.size(), static_cast<size_t>(songgen::songBars * 4));
    for (size_t i = 0; i < beats.size(); ++i) {
        ASSERT_NEAR(beats[i], sampleToMs(static_cast<int64_t>(i) * songgen::samplesPerBeat), 1e-6);
    }
}

TEST_F(GeneratedSong, CueTrackFitsThePlayer) {
    const std::vector<double> cues = judgedCues();
    EXPECT_GE(cues.size(), 100u);
    EXPECT_LE(cues.size(), 200u);
    EXPECT_LT(cues.back(), songgen::gameEndMs) << "every judged cue comes before the game ends";
    for (size_t i = 1; i < cues.size(); ++i) {
        EXPECT_GE(cues[i] - cues[i - 1], 300.0) << "cues " << i - 1 << " and " << i;
    }

    // Cues per second in each section: the drops must ask for more than the break.
    auto density = [&](const std::string& name) {
        const auto [from, to] = sectionSamples(name);
        const double fromMs = sampleToMs(from), toMs = sampleToMs(to);
        auto count = std::count_if(cues.begin(), cues.end(),
                                   [&](double t) { return t >= fromMs && t < toMs; });
        return static_cast<double>(count) * 1000.0 / (toMs - fromMs);
    };
    const double breakDensity = density("break");
    EXPECT_GT(breakDensity, 0.0) << "the break still has something to click";
    EXPECT_GT(density("drop"), 1.5 * breakDensity);
    EXPECT_GT(density("final drop"), 1.5 * breakDensity);
}

// One decoding for the checks on the whole song: length, level, sections and
// where the cues fall.
TEST_F(GeneratedSong, DecodedSongIsLongStereoUnclippedAndHasItsCuesOnOnsets) {
    std::optional<songgen::DecodedAudio> song = songgen::readAudio(file(songgen::songFile));
    ASSERT_TRUE(song);
    EXPECT_EQ(song->sampleRate, 44100);
    EXPECT_EQ(song->channels, 2);
    EXPECT_EQ(song->frames(), songgen::songSamples) << "the decoder must hide the encoder delay";
    EXPECT_GE(song->frames(), 120 * 44100);
    float peak = 0.0f;
    for (float s : song->samples) {
        peak = std::max(peak, std::fabs(s));
    }
    EXPECT_LT(peak, 0.98f);
    EXPECT_GT(peak, 0.3f) << "not silent";

    auto rmsOf = [&](const std::string& name) {
        const auto [from, to] = sectionSamples(name);
        double sum = 0.0;
        for (size_t i = size_t(from) * 2; i < size_t(to) * 2; ++i) {
            sum += static_cast<double>(song->samples[i]) * song->samples[i];
        }
        return std::sqrt(sum / static_cast<double>((to - from) * 2));
    };
    const double breakRms = rmsOf("break");
    EXPECT_LT(breakRms, 0.7 * rmsOf("drop"));
    EXPECT_LT(breakRms, 0.7 * rmsOf("final drop"));
    EXPECT_LT(rmsOf("intro"), rmsOf("drop"));

    const std::vector<double> onsets = songtest::detectOnsetsMs(*song);
    const std::vector<double> cues = judgedCues();
    ASSERT_FALSE(onsets.empty());
    double worst = 0.0;
    for (double cue : cues) {
        double distance = songtest::distanceToNearest(onsets, cue);
        worst = std::max(worst, distance);
        EXPECT_LE(distance, 2.0) << "cue at " << cue << " ms";
    }
    std::cout << "cues " << cues.size() << ", onsets " << onsets.size()
              << ", worst cue-to-onset distance " << worst << " ms" << std::endl;

    // The check must be able to fail: the same cues one MP3 granule late
    // (576 samples) mostly miss the onsets.
    auto late = std::count_if(cues.begin(), cues.end(), [&](double cue) {
        return songtest::distanceToNearest(onsets, cue + 576000.0 / 44100.0) <= 2.0;
    });
    EXPECT_LT(static_cast<double>(late), 0.2 * static_cast<double>(cues.size()));
}

TEST_F(GeneratedSong, StabAndClickAreShortMonoHits) {
    for (const auto& name : {songgen::stabFile, songgen::clickFile}) {
        std::optional<songgen::DecodedAudio> hit = songgen::readAudio(file(name));
        ASSERT_TRUE(hit) << name;
        EXPECT_EQ(hit->sampleRate, 44100) << name;
        EXPECT_EQ(hit->channels, 1) << name;
        EXPECT_LT(hit->frames(), 44100 / 2) << name;
        auto loudest =
            std::max_element(hit->samples.begin(), hit->samples.end(),
                             [](float a, float b) { return std::fabs(a) < std::fabs(b); });
        EXPECT_LT(std::fabs(*loudest), 1.0f) << name;
        EXPECT_GT(std::fabs(*loudest), 0.3f) << name;
        EXPECT_LT(loudest - hit->samples.begin(), 441) << name << " peaks within 10 ms";
    }
}

TEST(CueSelection, MergesAndSpacesTheAccentsOfLeadAndSnare) {
    auto at = [](double ms) { return static_cast<int64_t>(ms * 44.1); };
    auto note = [](songgen::Voice voice, int64_t start, bool accent) {
        return songgen::Note{voice, start, 1000, 69.0f, 1.0f, 0.5f, accent};
    };
    songgen::Score score;
    score.notes = {
        note(songgen::Voice::Lead, at(1300.0), true), // out of order in the score
        note(songgen::Voice::Snare, at(1000.0), true),
        note(songgen::Voice::Lead, at(1000.0), true),    // same hit as the snare: one cue
        note(songgen::Voice::Lead, at(1200.0), true),    // 200 ms after a cue: dropped
        note(songgen::Voice::Kick, at(2000.0), true),    // not the lead or the snare
        note(songgen::Voice::Lead, at(3000.0), false),   // not an accent
        note(songgen::Voice::Bell, at(4000.0), true),    // the bell doubles the lead
        note(songgen::Voice::Snare, at(117000.0), true), // after the game has ended
    };
    const std::vector<int64_t> expected = {at(1000.0), at(1300.0), at(4000.0)};
    EXPECT_EQ(songgen::selectCues(score), expected);
}

TEST(SongGenerator, ReportsAFolderItCannotWrite) {
    testsupport::ScratchDir dir;
    const std::filesystem::path blocker = dir.path() / "not_a_folder";
    std::ofstream(blocker) << "a file where the run folder should be";
    EXPECT_FALSE(songgen::generateAll(blocker / "run"));
}

} // namespace
