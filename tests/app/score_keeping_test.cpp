#include "app/score_keeping.h"

#include "app/stored_play.h"
#include "app/timing_summary.h"
#include "store/score_store.h"
#include "support/scratch_dir.h"
#include "support/wav_writer.h"

#include <gtest/gtest.h>

#include <sndfile.h>

#include <sstream>

namespace {

TEST(ScoreKeeping, TheBestLineComparesWithTheBestBefore) {
    EXPECT_EQ(bestLineOf(80.0, std::nullopt, false), "NEW BEST");
    EXPECT_EQ(bestLineOf(97.4, 92.9, false), "NEW BEST +4.5 %");
    EXPECT_EQ(bestLineOf(90.0, 97.4, false), "best 97.4 %");
    // Matching the best is no new one.
    EXPECT_EQ(bestLineOf(100.0, 100.0, true), "best 100.0 % (demo)");
}

TEST(ScoreKeeping, ASongIsKnownByItsBytesAndNamedByItsTagsElseItsFile) {
    testsupport::ScratchDir scratch;
    const std::filesystem::path plain = scratch.path() / "Night Drive.wav";
    ASSERT_TRUE(testsupport::writeWav(plain, std::vector<float>(44100, 0.1f), 22050, 2));
    std::string problem;
    const std::optional<store::SongRecord> untagged = songRecordOf(plain, problem);
    ASSERT_TRUE(untagged) << problem;
    EXPECT_EQ(untagged->id.size(), 64u);
    EXPECT_EQ(untagged->title, "Night Drive");
    EXPECT_EQ(untagged->artist, "");
    EXPECT_EQ(untagged->fileName, "Night Drive.wav");
    EXPECT_EQ(untagged->lengthMs, 1000);

    const std::filesystem::path tagged = scratch.path() / "track01.wav";
    SF_INFO info{};
    info.samplerate = 22050;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(tagged.c_str(), SFM_WRITE, &info);
    ASSERT_NE(file, nullptr);
    sf_set_string(file, SF_STR_TITLE, "Orbit");
    sf_set_string(file, SF_STR_ARTIST, "The Cues");
    const std::vector<short> silence(22050 * 3, 0);
    sf_writef_short(file, silence.data(), static_cast<sf_count_t>(silence.size()));
    sf_close(file);
    const std::optional<store::SongRecord> named = songRecordOf(tagged, problem);
    ASSERT_TRUE(named) << problem;
    EXPECT_EQ(named->title, "Orbit");
    EXPECT_EQ(named->artist, "The Cues");
    EXPECT_EQ(named->lengthMs, 3000);

    // Not audio: still a song by its bytes; missing: none.
    const std::optional<store::SongRecord> text =
        songRecordOf(scratch.write("notes.txt", "la la"), problem);
    ASSERT_TRUE(text);
    EXPECT_EQ(text->title, "notes");
    EXPECT_FALSE(songRecordOf(scratch.path() / "gone.ogg", problem));
}

TEST(ScoreKeeping, AStoredPlaysEndScreenIsTheOneItShowedWhenPlayed) {
    // The live end screen's figures, from the judging's verdicts in order.
    game::TimingStats live;
    store::PlayRecord play;
    play.song.id = "song";
    play.density = "normal";
    play.offsetMs = 0;
    const double offsets[] = {42.0, 55.0, -1.0, 61.0, 38.0, 47.0};
    for (int i = 0; i < 25; ++i) {
        const double offset = offsets[i % 6];
        if (i == 7) {
            live.addMiss();
            play.cues.push_back({1000.0 * i, store::CueOutcome::TooEarly, -300.0});
        } else if (offset < 0.0) {
            live.addMiss();
            play.cues.push_back({1000.0 * i, store::CueOutcome::Missed, std::nullopt});
        } else {
            live.addHit(offset);
            play.cues.push_back({1000.0 * i, store::CueOutcome::Hit, offset});
        }
    }
    // One cue the song ended before judging: counted, without a result.
    play.hits = live.hits();
    play.misses = 25 - live.hits() + 1;
    play.accuracy = 100.0 * play.hits / (play.hits + play.misses);
    play.bestStreak = live.bestStreak();

    testsupport::ScratchDir scratch;
    std::ostringstream err;
    auto scores = store::ScoreStore::open(scratch.path() / "scores.db", err);
    ASSERT_NE(scores, nullptr);
    const auto receipt = scores->save(play, err);
    ASSERT_TRUE(receipt);
    const EndOfSong again = endOfSongOf(*scores->readPlay(receipt->playId));

    EXPECT_EQ(again.accuracy, "ACCURACY: 76.9231\\nFighter Pilot");
    EXPECT_EQ(again.summary, timingSummaryText(live, play.misses));
    EXPECT_EQ(again.stats.histogram(), live.histogram());
    EXPECT_EQ(again.stats.bestStreak(), live.bestStreak());
    EXPECT_EQ(again.advice, offsetAdviceText(live, 0).value_or(""));
    EXPECT_FALSE(again.advice.empty()) << "clicks 40 ms late over 20 hits ask for an offset";
    play.demo = true;
    EXPECT_EQ(endOfSongOf(play).advice, "") << "the demo's clicks say nothing of latency";
}

TEST(ScoreKeeping, AnEmptyScoresSettingSavesNothing) {
    std::ostringstream err;
    EXPECT_FALSE(prepareScoreKeeping(std::string(), "Sound/song.ogg", false, 0, err));
    EXPECT_EQ(err.str(), "");
    const auto named =
        prepareScoreKeeping(std::string("/tmp/elsewhere.db"), "missing.ogg", true, 15, err);
    ASSERT_TRUE(named);
    EXPECT_EQ(named->storeFile, "/tmp/elsewhere.db");
    EXPECT_FALSE(named->song);
    EXPECT_EQ(named->chart.density, "normal");
}

// A chart plays a copy named Sound/song.<ext>; the store keeps the name
// the player knows, which the chart's mark gives.
TEST(ScoreKeeping, AChartsSongIsKnownByItsOwnFileName) {
    testsupport::ScratchDir scratch;
    scratch.write("chart/Sound/song.wav", std::string(4000, '\x01'));
    scratch.write("chart/chart.cfg", "chart_version=1\ndensity=hard\nsong_file=My Track.flac\n");
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(scratch.path() / "chart");
    std::ostringstream err;
    const auto keeping =
        prepareScoreKeeping(std::string("/tmp/unused.db"), "Sound/song.wav", false, 0, err);
    std::filesystem::current_path(before);
    ASSERT_TRUE(keeping && keeping->song) << err.str();
    EXPECT_EQ(keeping->song->fileName, "My Track.flac");
    EXPECT_EQ(keeping->song->title, "My Track");
    EXPECT_EQ(keeping->chart.density, "hard");
}

} // namespace
