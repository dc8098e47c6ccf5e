#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "analysis_signal.h"
#include "beat_tracker.h"
#include "chart.h"
#include "chart_files.h"
#include "click_track.h"
#include "cue_picker.h"
#include "moving_mean.h"
#include "preview.h"

namespace {

using charttest::Click;

chart::ChartResult chartOf(const std::vector<float>& samples, int sampleRate, int channels,
                           chart::Density density = chart::Density::Hard) {
    return chart::chartSong(samples.data(), samples.size() / static_cast<std::size_t>(channels),
                            channels, sampleRate, density);
}

// 100 BPM clicks for 20 s; in some bars the third beat's click moves a third
// of a beat late, off the grid, and some beats get a weaker click a quarter
// beat after them, too close to keep. In others a louder click off the grid
// comes a third of a beat before the sixth beat's: too close to keep both,
// and the beat's, on the grid, goes first.
TEST(ChartCues, FollowTheClicksOnAndOffTheGridWithTheirSpacingAndNothingEarly) {
    constexpr double beat = 600.0;
    std::vector<Click> clicks;
    std::vector<double> kept;
    for (int i = 0; beat * i < 20000.0; ++i) {
        const double ms = (i % 8 == 2) ? beat * i + beat / 3.0 : beat * i;
        clicks.push_back({ms, 0.8f});
        kept.push_back(ms);
        if (i % 5 == 1) {
            clicks.push_back({ms + beat / 4.0, 0.3f});
        }
        if (i % 8 == 5) {
            clicks.push_back({ms - beat / 3.0, 0.9f});
        }
    }
    // A hum just at the silence level after the music is no more of the song.
    std::vector<float> song = charttest::clickTrack(clicks, 24.0, 44100);
    std::fill(song.begin() + 21 * 44100, song.end(), chart::kSilentLoudness);
    chart::ChartResult result = chartOf(song, 44100, 1);
    ASSERT_TRUE(result.chart) << result.error;
    const chart::Chart& found = *result.chart;
    EXPECT_NEAR(found.tempoBpm, 100.0, 1.0);
    // The song ends a second after the last click (19.8 s, 30 ms long) fades.
    EXPECT_NEAR(found.endMs, 19830.0 + 1000.0, 15.0);
    kept.erase(std::remove_if(kept.begin(), kept.end(),
                              [&](double ms) {
                                  return ms < chart::kFirstCueMs ||
                                         ms > found.endMs - chart::kLastCueBeforeEndMs;
                              }),
               kept.end());
    ASSERT_EQ(found.cuesMs.size(), kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        EXPECT_NEAR(found.cuesMs[i], kept[i], 10.0) << "cue " << i;
    }
    EXPECT_GE(found.cuesMs.front(), chart::kFirstCueMs);
    for (std::size_t i = 1; i < found.cuesMs.size(); ++i) {
        EXPECT_GE(found.cuesMs[i] - found.cuesMs[i - 1], chart::kMinCueSpacingMs);
    }
}

TEST(ChartCues, DensityAsksForMoreCuesAndQuietPassagesForFewer) {
    // Eighth-note clicks at 120 BPM: loud for 30 s, then 30 s at a tenth.
    std::vector<Click> clicks = charttest::beatClicks(240.0, 30000.0);
    for (Click click : charttest::beatClicks(240.0, 30000.0, 0.08f)) {
        clicks.push_back({click.ms + 30000.0, click.loudness});
    }
    const std::vector<float> song = charttest::clickTrack(clicks, 62.0, 22050);
    std::vector<std::size_t> counts;
    for (chart::Density density :
         {chart::Density::Easy, chart::Density::Normal, chart::Density::Hard}) {
        chart::ChartResult result = chartOf(song, 22050, 1, density);
        ASSERT_TRUE(result.chart) << result.error;
        const std::vector<double>& cues = result.chart->cuesMs;
        const auto loud = std::count_if(cues.begin(), cues.end(),
                                        [](double ms) { return ms >= 5000.0 && ms < 25000.0; });
        const auto quiet = std::count_if(cues.begin(), cues.end(),
                                         [](double ms) { return ms >= 35000.0 && ms < 55000.0; });
        const double rate = static_cast<double>(loud) / 20.0;
        EXPECT_NEAR(rate, chart::cueRate(density), 0.25 * chart::cueRate(density))
            << chart::densityName(density);
        EXPECT_LT(quiet, loud) << chart::densityName(density);
        counts.push_back(cues.size());
    }
    EXPECT_LT(counts[0], counts[1]);
    EXPECT_LT(counts[1], counts[2]);
}

TEST(ChartCues, FewerThanTwoBeatsMakeNoGridAndNoCues) {
    const std::vector<float> song =
        charttest::clickTrack(charttest::beatClicks(120.0, 20000.0), 24.0, 22050);
    const chart::AnalysisSignal signal = chart::analysisSignal(song.data(), song.size(), 1, 22050);
    const chart::OnsetAnalysis analysis = chart::analyseOnsets(signal);
    ASSERT_GT(analysis.onsets.size(), 10u);
    // The same analysis on its beats picks cues, so the empty results below
    // come from the beats alone.
    EXPECT_FALSE(
        chart::pickCues(analysis, chart::trackBeats(analysis), chart::Density::Hard, 24000.0)
            .empty());
    EXPECT_TRUE(chart::pickCues(analysis, {}, chart::Density::Hard, 24000.0).empty());
    EXPECT_TRUE(chart::pickCues(analysis, {6000.0}, chart::Density::Hard, 24000.0).empty());
}

TEST(ChartInput, AnySamplesGiveAChartOrAReasonNeverACrash) {
    const std::vector<float> clicks =
        charttest::clickTrack(charttest::beatClicks(120.0, 12000.0), 12.0, 8000);
    EXPECT_TRUE(chartOf(clicks, 8000, 1).chart) << "mono 8 kHz";
    EXPECT_EQ(chartOf(clicks, 8000, 9).error, "9 channels: the charting takes 1 to 8");
    EXPECT_EQ(chartOf(clicks, 7999, 1).error,
              "sample rate 7999 Hz: the charting takes 8000 to 192000 Hz");
    EXPECT_EQ(chartOf(std::vector<float>(12 * 8000, 0.0f), 8000, 1).error, "no beats found");
    EXPECT_EQ(chartOf(std::vector<float>(3 * 8000, 0.0f), 8000, 1).error, "shorter than 10 s");
    EXPECT_EQ(chart::chartSong(nullptr, 1000000, 1, 8000, chart::Density::Easy).error,
              "shorter than 10 s");
    EXPECT_TRUE(chart::analyseOnsets(chart::AnalysisSignal{}).onsets.empty())
        << "a signal without a rate has no onsets";
    // Broken decoders' values amid the clicks: they count as silence.
    std::vector<float> broken = clicks;
    const float odd[] = {
        std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(),
        -std::numeric_limits<float>::infinity(), std::numeric_limits<float>::denorm_min(), 1e30f};
    for (std::size_t i = 0; i < broken.size(); i += 7) {
        broken[i] = odd[(i / 7) % 5];
    }
    chart::ChartResult result = chartOf(broken, 8000, 1);
    ASSERT_TRUE(result.chart) << result.error;
    EXPECT_NEAR(result.chart->tempoBpm, 120.0, 2.0);
}

// The decoder feeds the signal in chunks of whatever size the file gives:
// every split must make the very samples the whole audio makes.
TEST(ChartInput, TheSignalMadeInPiecesIsTheSignalMadeWhole) {
    constexpr int channels = 6;
    constexpr int rate = 96000; // reduced by 2, so groups straddle the pieces
    std::vector<float> audio(static_cast<std::size_t>(rate / 10 * channels));
    for (std::size_t i = 0; i < audio.size(); ++i) {
        audio[i] = std::sin(0.001f * static_cast<float>(i * i % 100003));
    }
    const std::size_t frames = audio.size() / channels;
    const chart::AnalysisSignal whole = chart::analysisSignal(audio.data(), frames, channels, rate);
    ASSERT_EQ(whole.samples.size(), frames / 2);
    // Each sample is the mean of a pair of frames in all their channels.
    double first = 0.0;
    for (int i = 0; i < 2 * channels; ++i) {
        first += audio[static_cast<std::size_t>(i)];
    }
    EXPECT_NEAR(whole.samples[0], first / (2 * channels), 1e-6);
    chart::AnalysisSignalBuilder builder(channels, rate, frames);
    std::size_t done = 0;
    for (std::size_t piece = 1; done < frames; piece = piece * 3 % 997 + 1) {
        const std::size_t count = std::min(piece, frames - done);
        builder.add(audio.data() + done * channels, count);
        done += count;
    }
    EXPECT_EQ(builder.framesAdded(), frames);
    const chart::AnalysisSignal pieces = std::move(builder).finish();
    EXPECT_EQ(pieces.sampleRate, 48000);
    EXPECT_EQ(pieces.samples, whole.samples);
}

// Beats on an uneven grid: an onset between the last two beats or after
// them snaps to their own step, not to the step of the beats before.
TEST(ChartCues, SnapToTheGridOfTheBeatsAroundThem) {
    chart::OnsetAnalysis analysis;
    analysis.frameMs = 10.0;
    analysis.envelope.assign(2000, 0.0f);
    analysis.loudness.assign(2000, 0.5f);
    std::vector<double> beats;
    for (double ms = 0.0; ms <= 10000.0; ms += 500.0) {
        beats.push_back(ms);
    }
    beats.push_back(10600.0);
    // 35 ms off, the most that snaps; 10 ms after the third sixteenth of
    // the last beat (150 ms steps); past the last beat the grid goes on.
    analysis.onsets = {{3010.0, 1.0f}, {6035.0, 1.0f}, {10310.0, 1.0f}, {10910.0, 1.0f}};
    EXPECT_EQ(chart::pickCues(analysis, beats, chart::Density::Hard, 20000.0),
              (std::vector<double>{3000.0, 6000.0, 10300.0, 10900.0}));
}

// An intro without a pulse: the beats still run from the song's start, on
// the grid of the clicks that follow it.
TEST(ChartBeats, GoOnBackThroughAnIntroWithoutAPulse) {
    std::vector<Click> clicks;
    for (double ms = 5000.0; ms < 20000.0; ms += 600.0) {
        clicks.push_back({ms, 0.8f});
    }
    const std::vector<float> song = charttest::clickTrack(clicks, 20.0, 22050);
    const std::vector<double> beats = chart::trackBeats(
        chart::analyseOnsets(chart::analysisSignal(song.data(), song.size(), 1, 22050)));
    ASSERT_GT(beats.size(), 20u);
    EXPECT_NEAR(beats.front(), 200.0, 20.0);
    EXPECT_NEAR(beats[8], 5000.0, 20.0);
}

TEST(ChartSignal, MovingMeansTakeFewerValuesAtTheEnds) {
    EXPECT_EQ(chart::movingMean({1.0f, 2.0f, 3.0f, 4.0f, 8.0f}, 1),
              (std::vector<double>{1.5, 2.0, 3.0, 5.0, 6.0}));
    EXPECT_EQ(chart::movingMean({1.0f, 2.0f, 3.0f}, 5), (std::vector<double>(3, 2.0)));
    EXPECT_TRUE(chart::movingMean({}, 2).empty());
}

// The chart's config is the game's own with the song's lines added, each on
// a line of its own whether the game's ends in a newline or not.
TEST(ChartFiles, TheConfigAddsTheSongsLinesToTheGamesOwn) {
    chart::Chart chart;
    chart.endMs = 20499.6;
    const std::string added = "music=Sound/song.ogg\nsong_end_ms=20500\n";
    EXPECT_EQ(chart::configText("", "Sound/song.ogg", chart), added);
    EXPECT_EQ(chart::configText("vsync=1", "Sound/song.ogg", chart), "vsync=1\n" + added);
    EXPECT_EQ(chart::configText("vsync=1\n", "Sound/song.ogg", chart), "vsync=1\n" + added);
}

// The library previews a song from its loudest 15 s: found in the loudness,
// never past the song's end, and from the start of a short song.
TEST(ChartPreview, StartsAtTheLoudestStretchWithinTheSong) {
    constexpr double frameMs = 10.0;
    std::vector<float> loudness(10000, 0.1f); // 100 s
    std::fill(loudness.begin() + 4000, loudness.begin() + 5500, 0.5f);
    EXPECT_NEAR(chart::loudestStretchMs(loudness, frameMs, 100000.0), 40000.0, frameMs);
    // Loudest at the very end: the preview still gets its full 15 s.
    std::fill(loudness.begin() + 9500, loudness.end(), 0.9f);
    EXPECT_NEAR(chart::loudestStretchMs(loudness, frameMs, 100000.0), 85000.0, frameMs);
    EXPECT_EQ(chart::loudestStretchMs(loudness, frameMs, 12000.0), 0.0);
    EXPECT_EQ(chart::loudestStretchMs({}, frameMs, 100000.0), 0.0);
}

} // namespace
