#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "analysis_signal.h"
#include "beat_tracker.h"
#include "chart.h"
#include "click_track.h"
#include "cue_picker.h"
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
    chart::ChartResult result = chartOf(charttest::clickTrack(clicks, 24.0, 44100), 44100, 1);
    ASSERT_TRUE(result.chart) << result.error;
    const chart::Chart& found = *result.chart;
    EXPECT_NEAR(found.tempoBpm, 100.0, 1.0);
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
