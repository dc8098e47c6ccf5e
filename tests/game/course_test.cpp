#include "game/course.h"
#include "game/course_mood.h"
#include "game/debris_field.h"
#include "game/flight_measures.h"
#include "game/section_pace.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace {

constexpr double kSongEndMs = 30000.0;

// A straight course along -z at `unitsPerSecond`, with two sections and a
// flare, loud from point 4 on.
game::Course straightCourse(double unitsPerSecond) {
    game::Course course;
    for (std::size_t i = 0; i < game::pathPointsFor(kSongEndMs); ++i) {
        const double z = -100.0 - (static_cast<double>(i) - 1.0) * unitsPerSecond * 5.0;
        course.points.emplace_back(0.0f, 0.0f, static_cast<float>(z), 1.0f);
        course.loudness.push_back(i >= 4 ? 0.9f : 0.1f);
    }
    course.sections = {{0.0, {0.5f, 0.5f, 1.0f}, {1.0f, 1.0f, 1.0f}},
                       {10000.0, {1.5f, 0.5f, 0.5f}, {2.0f, 1.0f, 0.5f}}};
    course.flaresMs = {12000.0};
    return course;
}

std::optional<game::Course> read(const std::string& text, std::string& problem) {
    std::istringstream in(text);
    return game::readCourse(in, kSongEndMs, problem);
}

TEST(CourseFile, WhatTheToolWritesTheGameReadsBack) {
    const game::Course written = straightCourse(20.0);
    std::string problem;
    const std::optional<game::Course> course = read(game::courseText(written), problem);
    ASSERT_TRUE(course) << problem;
    ASSERT_EQ(course->points.size(), written.points.size());
    for (std::size_t i = 0; i < written.points.size(); ++i) {
        EXPECT_NEAR(course->points[i].z, written.points[i].z, 1e-3f);
        EXPECT_EQ(course->points[i].w, 1.0f);
        EXPECT_NEAR(course->loudness[i], written.loudness[i], 1e-3f);
    }
    ASSERT_EQ(course->sections.size(), 2u);
    EXPECT_EQ(course->sections[1].startMs, 10000.0);
    EXPECT_NEAR(course->sections[1].glow.g, 1.0f, 1e-4f);
    EXPECT_EQ(course->flaresMs, written.flaresMs);
}

TEST(CourseFile, ABrokenCourseIsRefusedWithWhatAndWhereAndTheFileNamed) {
    const std::string good = game::courseText(straightCourse(20.0));
    const std::string head = "course_version=1\nsection=0 1 1 1 1 1 1\n";
    const std::string points =
        good.substr(good.find("point="), good.find("section=") - good.find("point="));
    const struct {
        std::string text;
        std::string problem;
    } cases[] = {
        {"", "no course_version=1 line"},
        {"course_version=2\n", "line 1: not a course this game reads (course_version=1)"},
        {head + "point=1 2 3\n", "line 3: a point is x y z and a loudness from 0 to 1"},
        {head + "point=1 2 3 0.5 9\n", "line 3: a point is x y z and a loudness from 0 to 1"},
        {head + "point=1 nan 3 0.5\n", "line 3: a point is x y z and a loudness from 0 to 1"},
        {head + "point=1 1e400 3 0.5\n", "line 3: a point is x y z and a loudness from 0 to 1"},
        {head + "point=1 2 3 1.5\n", "line 3: a point is x y z and a loudness from 0 to 1"},
        {head + "point=1 2 3 0.5x\n", "line 3: a point is x y z and a loudness from 0 to 1"},
        {head + "point=2e6 2 3 0.5\n", "line 3: a point is x y z and a loudness from 0 to 1"},
        {"course_version=1\nsection=5 1 1 1 1 1 1\n",
         "line 2: sections start at 0 ms and then ascend"},
        {head + "section=0 1 1 1 1 1 1\n", "line 3: sections start at 0 ms and then ascend"},
        {head + "section=9 1 1 1 1 1 -1\n", "line 3: a section's colours are from 0 to 8"},
        {head + "section=9 1 1 1\n", "line 3: a section is its start in ms and two colours"},
        {head + "flare=5\nflare=5\n", "line 4: flares are ascending moments in ms"},
        {head + "flare=-5\n", "line 3: flares are ascending moments in ms"},
        {"course_version=1\n" + points, "no section"},
        {head + "point=0 0 0 0\n", "1 points, the song needs 12"},
    };
    for (const auto& broken : cases) {
        std::string problem;
        EXPECT_FALSE(read(broken.text, problem)) << broken.text;
        EXPECT_EQ(problem, broken.problem) << broken.text;
    }
    // Comments, unknown keys, lines without '=' and CR line ends are passed over.
    std::string tolerant = "# made by hand\nwho=me\njust words\n" + head + points;
    std::string problem;
    EXPECT_TRUE(read(tolerant, problem)) << problem;

    testsupport::ScratchDir dir;
    std::ostringstream errors;
    EXPECT_FALSE(game::loadCourse((dir.path() / "none.cfg").string(), kSongEndMs, errors));
    EXPECT_EQ(errors.str(), "");
    std::ofstream(dir.path() / "course.cfg") << "course_version=7\n";
    EXPECT_FALSE(game::loadCourse((dir.path() / "course.cfg").string(), kSongEndMs, errors));
    EXPECT_EQ(errors.str(), (dir.path() / "course.cfg").string() +
                                ": line 1: not a course this game reads (course_version=1) - the "
                                "shipped course is flown instead\n");
}

TEST(CourseMood, SectionsColourTheLightBeatsPulseItAndFlaresFlareIt) {
    const game::Course course = straightCourse(20.0);
    const std::vector<double> beats = {500.0, 11000.0};
    const game::LightMood calm = game::courseMood(course, beats, 400.0);
    EXPECT_EQ(calm.light, glm::vec3(0.5f, 0.5f, 1.0f));
    const game::LightMood onBeat = game::courseMood(course, beats, 500.0);
    EXPECT_GT(onBeat.light.b, 1.2f * calm.light.b);
    EXPECT_LT(game::courseMood(course, beats, 1000.0).light.b, 1.05f * calm.light.b);
    // The next section fades in, then holds its colours.
    const glm::vec3 fading = game::courseMood(course, beats, 10500.0).light;
    EXPECT_GT(fading.r, 0.5f);
    EXPECT_LT(fading.r, 1.5f);
    const game::LightMood flare = game::courseMood(course, beats, 12000.0);
    EXPECT_GT(flare.glow.r, 3.0f);
    EXPECT_NEAR(game::courseMood(course, beats, 15000.0).glow.r, 2.0f, 0.01f);
}

TEST(SectionPaceLog, EachSectionFlownPrintsThePaceTheCameraReallyFlew) {
    const game::Course course = straightCourse(2.0 * game::shippedPace());
    game::SectionPace pace;
    std::ostringstream log;
    for (double ms = 0.0; ms <= 14000.0; ms += 50.0) {
        pace.follow(course, ms, glm::vec3(game::pathPointAt(course.points, ms / 1000.0)), log);
    }
    pace.finish(log);
    pace.finish(log);
    EXPECT_EQ(log.str(), "SECTION: 1 0.0-10.0 s, pace 2.00\nSECTION: 2 10.0-14.0 s, pace 2.00\n");
}

TEST(CourseDebris, LoudStretchesGetDenserWreckageWithinTheShippedBudget) {
    const game::Course course = straightCourse(20.0);
    DebrisArrays debris;
    game::fillCourseDebris(debris, course.points, course.loudness);
    const std::size_t total = course.points.size() * DebrisArrays::kPiecesPerPathPoint;
    EXPECT_EQ(debris.tubePoints.size(), total);
    EXPECT_EQ(debris.tubeOffsets.size(), total);
    EXPECT_EQ(debris.pathPointCount, static_cast<int>(course.points.size()));
    // Segment k runs from point k + 1: quiet up to z = -160, loud beyond.
    auto piecesBetween = [&](float nearZ, float farZ) {
        return std::count_if(debris.tubePoints.begin(), debris.tubePoints.end(),
                             [&](const glm::vec3& p) { return p.z <= nearZ && p.z > farZ; });
    };
    EXPECT_GT(piecesBetween(-300.0f, -500.0f), 4 * piecesBetween(-100.0f, -200.0f));
}

TEST(FlightMeasures, ACircleBendsByItsRadiusAndTurnsTheCameraByItsSpeed) {
    // Points on a circle of radius 200 in the x-z plane, 10 degrees apart:
    // the camera flies 200 * 10 degrees every 5 s, so it turns 2 degrees a
    // second, a little faster where the spline bends more than the circle.
    game::PathPoints circle;
    for (int i = 0; i < 12; ++i) {
        const double angle = glm::radians(10.0 * (i - 1));
        circle.emplace_back(200.0 * (1.0 - std::cos(angle)), 0.0, -200.0 * std::sin(angle), 1.0);
    }
    const game::SegmentTurns turns = game::worstTurns(circle, 35000.0);
    EXPECT_NEAR(turns.curvature, 1.0 / 200.0, 0.1 / 200.0);
    EXPECT_GE(turns.turnDegreesPerSecond, 1.9);
    EXPECT_LE(turns.turnDegreesPerSecond, 2.5);
    EXPECT_NEAR(game::distanceFlown(circle, 0.0, 5.0), 200.0 * glm::radians(10.0), 0.5);
    // The shipped loop's measures are those of its hand-made bends.
    EXPECT_GT(game::shippedSharpestBend(), 1.0 / 100.0);
    EXPECT_GT(game::shippedPace(), 20.0);
    EXPECT_LT(game::shippedPace(), 30.0);
}

} // namespace
