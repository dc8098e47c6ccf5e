#include "game/debris.h"
#include "scenegraph/root_node.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <vector>

namespace {

using scenegraph::CULL_LEVEL_FRUSTUM;
using scenegraph::CULL_LEVEL_Z;
using scenegraph::CULL_NONE;
using scenegraph::CULL_SCENEGRAPH_FRUSTUM;

// One path point's worth of pieces, all on the view axis at depths given by
// depthOf(k); the identity view looks down -z.
template <typename Depth> DebrisArrays piecesAlongView(int pathPoints, Depth depthOf) {
    DebrisArrays debris;
    debris.pathPointCount = pathPoints;
    const int count = pathPoints * DebrisArrays::kPiecesPerPathPoint;
    for (int k = 0; k < count; ++k) {
        debris.tubePoints.emplace_back(0.0f, 0.0f, depthOf(k));
    }
    debris.tubeOffsets.assign(count, glm::vec3(0.0f));
    debris.tubeScales.assign(count, glm::vec3(1.0f));
    return debris;
}

std::vector<int> chosen(const DebrisChoice& choice) {
    return {choice.pieces.begin(), choice.pieces.begin() + choice.count};
}

struct DebrisTest : testing::Test {
    DebrisChoice choice;
    int start = 0;
    const glm::mat4 view = glm::mat4(1.0f);
};

TEST_F(DebrisTest, AtMostAThousandPiecesFromTheStartIndexAreDrawn) {
    const DebrisArrays debris = piecesAlongView(5, [](int k) { return -10.0f - k; });
    start = 300;
    chooseDebrisPieces(debris, view, CULL_NONE, start, choice);
    ASSERT_EQ(choice.count, kDebrisPiecesPerCall);
    EXPECT_EQ(choice.pieces[0], 300);
    EXPECT_EQ(choice.pieces[kDebrisPiecesPerCall - 1], 1299);
    EXPECT_EQ(start, 300);
}

TEST_F(DebrisTest, PiecesBehindTheCameraMoveTheStartForGood) {
    // Pieces 0 and 1 lie behind the camera, the rest ahead.
    const DebrisArrays debris = piecesAlongView(1, [](int k) { return k < 2 ? 5.0f : -5.0f; });
    chooseDebrisPieces(debris, view, CULL_NONE, start, choice);
    // The window moves on while it is walked: after piece 0 the next piece
    // looked at is 2, so piece 1 waits for the next call.
    EXPECT_EQ(start, 1);
    EXPECT_EQ(choice.pieces[0], 2);
    chooseDebrisPieces(debris, view, CULL_NONE, start, choice);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(choice.pieces[0], 3);
    chooseDebrisPieces(debris, view, CULL_NONE, start, choice);
    EXPECT_EQ(start, 2);
    EXPECT_EQ(choice.pieces[0], 2);
    EXPECT_EQ(choice.count, 398);
}

TEST_F(DebrisTest, ZCullingLeavesOutPiecesAtTheEyeTogetherWithTheNext) {
    // Piece 3 sits just in front of the eye plane, within the culling margin.
    const DebrisArrays debris = piecesAlongView(1, [](int k) { return k == 3 ? -0.05f : -5.0f; });
    chooseDebrisPieces(debris, view, CULL_NONE, start, choice);
    EXPECT_EQ(choice.count, 400);
    chooseDebrisPieces(debris, view, CULL_LEVEL_Z, start, choice);
    EXPECT_EQ(choice.count, 398);
    EXPECT_EQ(chosen(choice)[3], 5);
}

TEST_F(DebrisTest, FrustumCullingLeavesOutPiecesOffTheViewCone) {
    DebrisArrays debris = piecesAlongView(1, [](int) { return -10.0f; });
    debris.tubePoints[7].x = 20.0f; // |x| / (|x| + |z|) = 2/3, outside
    debris.tubePoints[9].y = 4.0f;  // 4/14, inside
    chooseDebrisPieces(debris, view, CULL_LEVEL_Z, start, choice);
    EXPECT_EQ(choice.count, 400);
    for (int mode : {CULL_LEVEL_FRUSTUM, CULL_SCENEGRAPH_FRUSTUM}) {
        chooseDebrisPieces(debris, view, mode, start, choice);
        EXPECT_EQ(choice.count, 398);
        EXPECT_EQ(chosen(choice)[7], 9);
    }
}

TEST_F(DebrisTest, TheViewDecidesWhatIsBehind) {
    const DebrisArrays debris = piecesAlongView(1, [](int) { return -10.0f; });
    const glm::mat4 turnedAround =
        glm::rotate(glm::mat4(1.0f), glm::radians(180.0f), glm::vec3(0, 1, 0));
    for (int call = 0; call < 10; ++call) {
        chooseDebrisPieces(debris, turnedAround, CULL_NONE, start, choice);
        EXPECT_EQ(choice.count, 0);
    }
    EXPECT_GT(start, 390);
    chooseDebrisPieces(debris, view, CULL_NONE, start, choice);
    EXPECT_EQ(choice.count, 400 - start) << "the start never goes back";
}

TEST_F(DebrisTest, OnlyPiecesTheArraysHoldAreChosen) {
    chooseDebrisPieces(DebrisArrays{}, view, CULL_NONE, start, choice);
    EXPECT_EQ(choice.count, 0);
    EXPECT_EQ(start, 0);
    DebrisArrays debris = piecesAlongView(1, [](int) { return -10.0f; });
    debris.pathPointCount = 3; // claims more than the arrays hold
    debris.tubeScales.resize(250);
    chooseDebrisPieces(debris, view, CULL_NONE, start, choice);
    EXPECT_EQ(choice.count, 250);
}

} // namespace
