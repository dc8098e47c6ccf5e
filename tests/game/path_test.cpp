#include "game/path.h"
#include "game/path_flight.h"
#include "scenegraph/transformation_node.h"
#include "support/glm_expect.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <glm/gtc/matrix_transform.hpp>

#include <cmath>

namespace {

using game::kPathPointCount;

testing::AssertionResult near(const glm::vec4& actual, const glm::vec4& expected) {
    return testsupport::near(actual, expected, 1e-3f);
}

TEST(LevelPath, SegmentBoundariesAreTheNextControlPointAroundTheLoop) {
    const game::PathPoints points = game::pathControlPoints();
    for (int k = 0; k < 2 * kPathPointCount + 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_TRUE(near(game::pathPointAt(points, 5.0 * k), points[(k + 1) % kPathPointCount]));
    }
    EXPECT_TRUE(near(points[1], glm::vec4(0, 0, -100, 1)));
    EXPECT_TRUE(near(points[29], glm::vec4(0, 0, -2900, 1)));

    // Moments far outside the song (cue times from an edited recording) still
    // lie on the loop; one beyond any integer must not be cast to one.
    EXPECT_TRUE(near(game::pathPointAt(points, 5.0 * (kPathPointCount * 0x1p40 + 3)), points[4]));
    for (double far : {1e300, -1e300}) {
        const glm::vec4 place = game::pathPointAt(points, far);
        EXPECT_TRUE(std::isfinite(place.x) && std::isfinite(place.y) && std::isfinite(place.z));
    }
    EXPECT_TRUE(near(game::pathPointAt(points, std::nan("")), game::pathPointAt(points, 0.0)));
}

TEST(LevelPath, MidSegmentUsesTheUniformCatmullRomWeights) {
    const game::PathPoints points = game::pathControlPoints();
    // Segment 1 at f = 0.5: weights -1/16, 9/16, 9/16, -1/16 on points 1..4.
    const glm::vec4 expected =
        (-points[1] + 9.0f * points[2] + 9.0f * points[3] - points[4]) / 16.0f;
    EXPECT_TRUE(near(game::pathPointAt(points, 7.5), expected));
    // The last segment blends the loop's end into its start.
    const glm::vec4 wrapped =
        (-points[29] + 9.0f * points[0] + 9.0f * points[1] - points[2]) / 16.0f;
    EXPECT_TRUE(near(game::pathPointAt(points, 5.0 * 29 + 2.5), wrapped));
}

// The loop turns back to its start in its last segments; a level's flight
// must never get there while its song plays.
TEST(LevelPath, ALongSongFliesForwardToItsEndAndTheShippedSongKeepsItsLoop) {
    EXPECT_EQ(game::levelPath(116000.0), game::pathControlPoints());
    for (double endMs : {116000.0, 135000.0, 151000.0, 20.0 * 60000.0}) {
        SCOPED_TRACE(endMs);
        const game::PathPoints points = game::levelPath(endMs);
        EXPECT_TRUE(std::equal(points.begin(), points.begin() + kPathPointCount,
                               game::pathControlPoints().begin()));
        float lastZ = 1.0f;
        for (double ms = 0.0; ms <= endMs + game::kPathPastSongEndMs; ms += 250.0) {
            const float z = game::pathPointAt(points, ms / 1000.0).z;
            ASSERT_LT(z, lastZ) << "at " << ms << " ms";
            lastZ = z;
        }
    }
}

TEST(LevelFlight, AnglesUseTheGivenPiAndKeepTheirValueWhenADivisorIsZero) {
    const glm::vec3 previous(11.0f, 22.0f, 33.0f);
    const glm::vec3 angles = game::flightAngles(glm::vec3(1.0f, -1.0f, 1.0f), previous);
    const float degrees = static_cast<float>(std::atan(1.0) * 180.0 / 3.1416);
    EXPECT_TRUE(
        testsupport::near(angles, glm::vec3(degrees, degrees, -degrees), testsupport::kFloatEq));
    const glm::vec3 sideways = game::flightAngles(glm::vec3(1.0f, 2.0f, 0.0f), previous);
    EXPECT_EQ(sideways.x, 11.0f);
    EXPECT_EQ(sideways.y, 22.0f);
    EXPECT_FLOAT_EQ(sideways.z, static_cast<float>(std::atan(2.0) * 180.0 / 3.1416));
    EXPECT_EQ(game::flightAngles(glm::vec3(0.0f, 2.0f, 1.0f), previous).z, 33.0f);
}

TEST(LevelFlight, CameraSitsAtTheNegatedPathPointFacingTheMoveSinceTheLastFrame) {
    scenegraph::TransformationNode camera("cam", "CameraNode");
    game::PathFlight flight;
    flight.fly(camera, glm::vec4(0.0f, 0.0f, -100.0f, 1.0f));
    // From the origin to (0, 0, 100) is straight ahead: no turn.
    EXPECT_EQ(camera.rotY, glm::mat4(1.0f));
    EXPECT_EQ(glm::vec3(camera.translationMat[3]), glm::vec3(0.0f, 0.0f, 100.0f));
    // Camera translation (10, 0, 110): a move of (10, 0, -10) with z turned
    // forward, so the yaw is atan(10 / -10).
    flight.fly(camera, glm::vec4(-10.0f, 0.0f, -110.0f, 1.0f));
    const float yaw = static_cast<float>(std::atan(-1.0) * 180.0 / 3.1416);
    const glm::mat4 expected =
        glm::rotate(glm::mat4(1.0f), glm::radians(yaw), glm::vec3(0.0f, 1.0f, 0.0f));
    EXPECT_TRUE(testsupport::near(camera.rotY, expected, 1e-6f));
    EXPECT_EQ(flight.previousPosition, glm::vec3(10.0f, 0.0f, 110.0f));
    // Standing still keeps the heading: both divisors are 0.
    const glm::mat4 heading = camera.rotY;
    flight.fly(camera, glm::vec4(-10.0f, 0.0f, -110.0f, 1.0f));
    EXPECT_EQ(camera.rotY, heading);
}

} // namespace
