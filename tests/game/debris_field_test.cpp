#include "game/debris_field.h"
#include "game/path.h"
#include "util/random.h"

#include <gtest/gtest.h>

using game::kPathPointCount;

TEST(LevelDebris, FieldIsTheSameEveryRunDrawsEightValuesPerPieceAndFollowsThePath) {
    const game::PathPoints points = game::pathControlPoints();
    DebrisArrays first;
    util::resetGameRandom();
    game::fillDebris(first, points);
    const int afterFill = util::gameRandom();
    util::resetGameRandom();
    for (int i = 0; i < kPathPointCount * DebrisArrays::kPiecesPerPathPoint * 8; ++i) {
        util::gameRandom();
    }
    EXPECT_EQ(afterFill, util::gameRandom());

    DebrisArrays second;
    util::resetGameRandom();
    game::fillDebris(second, points);
    EXPECT_EQ(first.tubeOffsets, second.tubeOffsets);
    EXPECT_EQ(first.tubeScales, second.tubeScales);

    // The pieces follow the path within their offset and size ranges.
    const DebrisArrays& debris = first;
    const std::size_t total = kPathPointCount * DebrisArrays::kPiecesPerPathPoint;
    ASSERT_EQ(debris.pathPointCount, kPathPointCount);
    ASSERT_EQ(debris.tubePoints.size(), total);
    ASSERT_EQ(debris.tubeOffsets.size(), total);
    ASSERT_EQ(debris.tubeScales.size(), total);
    for (std::size_t i = 0; i < total; ++i) {
        const float length = glm::length(debris.tubeOffsets[i]);
        ASSERT_GE(length, 20.0f - 1e-3f) << i;
        ASSERT_LT(length, 70.0f + 1e-3f) << i;
        ASSERT_EQ(debris.tubeOffsets[i].z, 0.0f);
        for (int axis = 0; axis < 3; ++axis) {
            ASSERT_GE(debris.tubeScales[i][axis], 0.0f);
            ASSERT_LT(debris.tubeScales[i][axis], 10.0f);
        }
    }
    // Segment s starts at control point s + 1, like the flight.
    EXPECT_EQ(debris.tubePoints[0], glm::vec3(points[1]));
    EXPECT_EQ(debris.tubePoints[400 * 29], glm::vec3(points[0]));
}
