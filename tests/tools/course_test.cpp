#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "chart.h"
#include "click_track.h"
#include "course_keep_out.h"
#include "course_palette.h"
#include "course_sections.h"
#include "course_shape.h"
#include "game/flight_measures.h"

namespace {

constexpr double kSecondSteps = 1000.0 / chart::kSignalStepMs;

// Signals made to order: loudness and busyness as functions of seconds.
template <typename Loud, typename Busy>
chart::CourseSignals signalsOf(double seconds, Loud loud, Busy busy) {
    chart::CourseSignals signals;
    signals.floorDb = -40.0;
    signals.rangeDb = 30.0;
    for (double step = 0; step < seconds * kSecondSteps; ++step) {
        const double share = loud(step / kSecondSteps);
        signals.loudness.push_back(share);
        signals.smoothLoudness.push_back(share);
        signals.power.push_back(std::pow(10.0, (signals.floorDb + share * signals.rangeDb) / 10.0));
        signals.busyness.push_back(busy(step / kSecondSteps));
    }
    return signals;
}

game::PathPoints courseFor(const chart::CourseSignals& signals, std::uint64_t seed = 7) {
    const double endMs = static_cast<double>(signals.loudness.size()) * chart::kSignalStepMs;
    return chart::shapeCourse(signals, {}, game::pathPointsFor(endMs), seed);
}

double paceBetween(const game::PathPoints& points, double from, double to) {
    return game::distanceFlown(points, from, to) / (to - from) / game::shippedPace();
}

// Heading changes summed over a stretch, degrees: how much the course turns.
double turning(const game::PathPoints& points, double from, double to) {
    double total = 0.0;
    for (double t = from; t + 1.0 < to; t += 0.5) {
        const glm::vec3 a = glm::normalize(
            glm::vec3(game::pathPointAt(points, t + 0.5) - game::pathPointAt(points, t)));
        const glm::vec3 b = glm::normalize(
            glm::vec3(game::pathPointAt(points, t + 1.0) - game::pathPointAt(points, t + 0.5)));
        total += glm::degrees(std::acos(std::clamp(glm::dot(a, b), -1.0f, 1.0f)));
    }
    return total;
}

void expectWithinLimits(const game::PathPoints& points, double endMs) {
    const game::SegmentTurns worst = game::worstTurns(points, endMs);
    EXPECT_LE(worst.turnDegreesPerSecond, game::kMaxTurnDegreesPerSecond);
    EXPECT_LE(worst.curvature, game::shippedSharpestBend());
    for (double t = 0.0; t < endMs / 1000.0; t += 0.25) {
        const glm::vec3 at(game::pathPointAt(points, t));
        for (const chart::KeepOut& keepOut : chart::sceneKeepOuts()) {
            ASSERT_GE(glm::length(at - keepOut.centre), keepOut.radius - 1.0f) << t << " s";
        }
    }
}

TEST(CourseShape, ALoudSectionFliesFasterAndDivesAQuietOneSlowerAndClimbs) {
    // 60 s quiet, 60 s loud, 60 s quiet; equally busy throughout.
    const auto signals = signalsOf(
        180.0, [](double s) { return s >= 60.0 && s < 120.0 ? 0.9 : 0.15; },
        [](double) { return 0.5; });
    const game::PathPoints points = courseFor(signals);
    const double quietPace = paceBetween(points, 10.0, 55.0);
    const double loudPace = paceBetween(points, 70.0, 115.0);
    EXPECT_GT(loudPace, quietPace + 0.5);
    EXPECT_GE(quietPace, chart::kQuietPace - 0.05);
    EXPECT_LE(loudPace, chart::kLoudPace + 0.05);
    EXPECT_GT(game::pathPointAt(points, 55.0).y, game::pathPointAt(points, 10.0).y + 20.0);
    EXPECT_LT(game::pathPointAt(points, 115.0).y, game::pathPointAt(points, 70.0).y - 20.0);
    // Forward all the way: the flight's heading never turns back.
    for (double t = 0.0; t < 190.0; t += 0.5) {
        EXPECT_LT(game::pathPointAt(points, t + 0.5).z, game::pathPointAt(points, t).z) << t;
    }
    expectWithinLimits(points, 180000.0);
}

TEST(CourseShape, TheLouderSectionIsFlownFasterHoweverItsLoudnessIsSpread) {
    // The first minute swings between quiet and loud passages, the second is
    // even: the first is the louder by its power, though its passages' mean
    // loudness is the lower.
    const auto signals = signalsOf(
        120.0,
        [](double s) {
            if (s >= 60.0) {
                return 0.7;
            }
            return std::fmod(s, 20.0) < 10.0 ? 0.2 : 0.85;
        },
        [](double) { return 0.5; });
    const std::vector<chart::SongSection> sections = {
        {0.0, 60000.0, signals.loudnessOver(0.0, 60000.0)},
        {60000.0, 120000.0, signals.loudnessOver(60000.0, 120000.0)}};
    ASSERT_GT(sections[0].loudness, sections[1].loudness + 0.02);
    const game::PathPoints points =
        chart::shapeCourse(signals, sections, game::pathPointsFor(120000.0), 7);
    EXPECT_GT(paceBetween(points, 0.0, 60.0), paceBetween(points, 60.0, 120.0) + 0.02);
    // Within the section the loud passages are still the faster.
    EXPECT_GT(paceBetween(points, 11.0, 19.0), paceBetween(points, 1.0, 9.0) + 0.1);
}

TEST(CourseShape, BusyPassagesTurnMoreThanSparseOnes) {
    const auto signals = signalsOf(
        240.0, [](double) { return 0.5; }, [](double s) { return s < 120.0 ? 1.0 : 0.0; });
    for (std::uint64_t seed : {1u, 2u, 3u}) {
        const game::PathPoints points = courseFor(signals, seed);
        EXPECT_GT(turning(points, 10.0, 115.0), 2.0 * turning(points, 130.0, 235.0)) << seed;
        // Equally loud: the winding half is flown no faster along its curve.
        const double middlePace = (chart::kQuietPace + chart::kLoudPace) / 2.0;
        EXPECT_NEAR(paceBetween(points, 10.0, 115.0), middlePace, 0.02) << seed;
        EXPECT_NEAR(paceBetween(points, 130.0, 235.0), middlePace, 0.02) << seed;
    }
}

TEST(CourseShape, SilenceAndPeaksInTurnKeepToThePlayersLimitsAndClearOfTheScene) {
    // Alternating silence and peaks, busiest on the peaks: the pace jumps
    // between its ends every segment and the course turns as hard as it may.
    const auto signals = signalsOf(
        300.0, [](double s) { return std::fmod(s, 5.0) < 2.5 ? 0.0 : 1.0; },
        [](double s) { return std::fmod(s, 10.0) < 5.0 ? 1.0 : 0.0; });
    for (std::uint64_t seed : {11u, 12u, 13u, 14u}) {
        const game::PathPoints points = courseFor(signals, seed);
        expectWithinLimits(points, 300000.0);
        // Eased, not given up on: it still turns.
        EXPECT_GT(turning(points, 0.0, 300.0), 100.0) << seed;
    }
    // Where nothing else keeps the limits the course flies straight along
    // the shipped loop's line: that line must be clear of the scene.
    for (const chart::KeepOut& keepOut : chart::sceneKeepOuts()) {
        EXPECT_GT(glm::length(glm::vec2(keepOut.centre)), keepOut.radius);
    }
}

TEST(CourseSections, ChangesOfLoudnessStartSectionsAndTheLoudestIsHot) {
    const auto signals = signalsOf(
        90.0, [](double s) { return s >= 30.0 && s < 60.0 ? 0.9 : 0.2; },
        [](double s) { return s >= 30.0 && s < 60.0 ? 0.8 : 0.3; });
    const std::vector<chart::SongSection> sections = chart::findSections(signals, 90000.0);
    ASSERT_EQ(sections.size(), 3u);
    EXPECT_EQ(sections[0].startMs, 0.0);
    EXPECT_NEAR(sections[1].startMs, 30000.0, 1000.0);
    EXPECT_NEAR(sections[2].startMs, 60000.0, 1000.0);
    EXPECT_EQ(sections[2].endMs, 90000.0);
    const std::vector<game::CourseSection> painted = chart::paintSections(sections, 5);
    ASSERT_EQ(painted.size(), 3u);
    EXPECT_GT(painted[1].light.r, painted[1].light.b);
    EXPECT_LT(painted[0].light.r, painted[0].light.b);
    EXPECT_GT(painted[1].glow.r, painted[0].glow.r);
    // Even loudness throughout makes one section.
    EXPECT_EQ(chart::findSections(signalsOf(
                                      90.0, [](double) { return 0.5; }, [](double) { return 0.5; }),
                                  90000.0)
                  .size(),
              1u);
}

TEST(CourseOfASong, TheSameSongGivesTheSameCourseAndAnotherSongAnother) {
    // 40 s of clicks, the second half louder.
    std::vector<charttest::Click> clicks = charttest::beatClicks(120.0, 20000.0, 0.1f);
    for (charttest::Click click : charttest::beatClicks(120.0, 20000.0, 0.9f)) {
        clicks.push_back({click.ms + 20000.0, click.loudness});
    }
    const std::vector<float> song = charttest::clickTrack(clicks, 42.0, 22050);
    auto courseOf = [](const std::vector<float>& samples) {
        const chart::ChartResult result =
            chart::chartSong(samples.data(), samples.size(), 1, 22050, chart::Density::Normal);
        EXPECT_TRUE(result.chart) << result.error;
        return result.chart ? game::courseText(result.chart->course) : std::string();
    };
    const std::string course = courseOf(song);
    EXPECT_EQ(courseOf(song), course);
    std::vector<float> other = song;
    other[1000] = 0.01f; // a sound nobody hears still makes it another song
    EXPECT_NE(courseOf(other), course);

    const chart::ChartResult result =
        chart::chartSong(song.data(), song.size(), 1, 22050, chart::Density::Normal);
    ASSERT_TRUE(result.chart);
    const game::Course& flight = result.chart->course;
    EXPECT_EQ(flight.points.size(), game::pathPointsFor(result.chart->endMs));
    EXPECT_GT(paceBetween(flight.points, 25.0, 38.0), paceBetween(flight.points, 3.0, 16.0));
    EXPECT_LT(flight.loudness[3], flight.loudness[7]);
    EXPECT_GE(flight.sections.size(), 2u);
    EXPECT_FALSE(flight.flaresMs.empty());
    EXPECT_GE(flight.flaresMs.front(), 20000.0 - 500.0);
}

} // namespace
