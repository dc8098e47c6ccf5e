#include "animation/animation_player.h"
#include "support/glm_expect.h"

#include "animation/track_stepping.h"
#include "model/obj_anim.h"
#include "scenegraph/transformation_node.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <tuple>

namespace {

using animation::Animation;
using animation::AnimationPlayer;
using animation::MorphKey;
using animation::MoveKey;
using animation::ScaleKey;
using scenegraph::TransformationNode;

class AnimationPlayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        AnimationPlayer::destroyInstance();
        animation::spinAccumulator = 0.0f;
    }
    void TearDown() override { AnimationPlayer::destroyInstance(); }

    AnimationPlayer& player() { return *AnimationPlayer::getInstance(); }
};

glm::vec3 positionOf(TransformationNode& node) {
    glm::vec3 position;
    node.getPosition(position);
    return position;
}

MoveKey move(glm::vec3 from, glm::vec3 to, float duration) {
    MoveKey key;
    key.from = from;
    key.to = to;
    key.duration = duration;
    return key;
}

TEST_F(AnimationPlayerTest, MovesTheNodeAndDropsItOnceEveryTrackHasRunOut) {
    TransformationNode node("n", "transformation");
    const glm::vec3 before(7.0f, 7.0f, 7.0f);
    node.setPosition(before);
    Animation flight;
    MoveKey key = move({0, 0, 0}, {4, 0, -8}, 2.0f);
    key.delay = 1.0;
    flight.moveSource.push_back(key);
    player().play(&node, &flight);

    player().update(0.5);
    EXPECT_EQ(positionOf(node), before); // still waiting
    player().update(1.5);
    EXPECT_EQ(positionOf(node), glm::vec3(2, 0, -4));
    player().update(1.5);
    EXPECT_EQ(positionOf(node), glm::vec3(4, 0, -8));
    EXPECT_EQ(player().playingCount(), 1u);
    node.setPosition(before);
    player().update(0.5);
    EXPECT_EQ(player().playingCount(), 0u);
    EXPECT_EQ(positionOf(node), before); // removed without being touched
}

TEST_F(AnimationPlayerTest, FromCurrentMoveStartsWhereTheNodeIsWhenPlayed) {
    TransformationNode node("n", "transformation");
    node.setPosition({10.0f, 0.0f, 0.0f});
    Animation flight;
    MoveKey key = move({-99, -99, -99}, {20, 0, 0}, 1.0f);
    key.fromCurrent = true;
    flight.moveSource.push_back(key);
    player().play(&node, &flight);
    player().update(0.5);
    EXPECT_EQ(positionOf(node), glm::vec3(15, 0, 0));
    EXPECT_EQ(flight.moveSource.front().from, glm::vec3(-99, -99, -99)); // source kept
}

TEST_F(AnimationPlayerTest, ScalePulseLandsOnItsRestingSize) {
    TransformationNode crosshair("crosshair", "obj");
    Animation pulse;
    ScaleKey key;
    key.to = glm::vec3(0.03f, 0.03f, 0.0f);
    key.from = glm::vec3(0.1f, 0.1f, 0.0f);
    key.duration = 0.15f;
    pulse.scaleSource.push_back(key);
    player().play(&crosshair, &pulse);
    player().update(0.075);
    EXPECT_NEAR(crosshair.scaleMat[0][0], 0.065f, 1e-6f);
    player().update(0.1);
    EXPECT_TRUE(testsupport::near(
        glm::vec3(crosshair.scaleMat[0][0], crosshair.scaleMat[1][1], crosshair.scaleMat[2][2]),
        glm::vec3(0.03f, 0.03f, 0.0f), testsupport::kFloatEq));
}

TEST_F(AnimationPlayerTest, RotationSetsEachAxisToTheStepsShare) {
    TransformationNode node("n", "transformation");
    Animation spin;
    spin.rotationSource.push_back({glm::vec3(0.0f, 60.0f, 90.0f), 0.0, 0.0, 1.0f});
    player().play(&node, &spin);
    player().update(0.5);
    TransformationNode expected("e", "transformation");
    expected.rotate(30.0f, 0.0f, 1.0f, 0.0f);
    expected.rotate(45.0f, 0.0f, 0.0f, 1.0f);
    EXPECT_EQ(node.rotX, glm::mat4(1.0f));
    EXPECT_EQ(node.rotY, expected.rotY);
    EXPECT_EQ(node.rotZ, expected.rotZ);
    EXPECT_FLOAT_EQ(animation::spinAccumulator, 45.0f);
}

TEST_F(AnimationPlayerTest, MorphKeysDriveAMorphingModel) {
    ObjData shape;
    ObjAnim sphere(&shape, 2);
    Animation pulse;
    pulse.morphSource = {MorphKey{0, 0.0, 0.0, 0.25f}, MorphKey{1, 0.0, 0.0, 0.25f}};
    player().play(&sphere, &pulse);
    const std::tuple<double, int, float> steps[] = {
        {0.0625, 0, 0.25f}, {0.1875, 0, 1.0f}, {0.125, 1, 0.5f}, {1.0, 1, 1.0f}};
    for (const auto& [step, frame, share] : steps) {
        player().update(step);
        EXPECT_EQ(sphere.currentFrame, frame) << "after " << step;
        EXPECT_FLOAT_EQ(sphere.dt, share) << "after " << step;
    }
}

TEST_F(AnimationPlayerTest, MorphKeyOnAPlainNodeIsSteppedAndChangesNothing) {
    TransformationNode node("n", "transformation");
    Animation pulse;
    pulse.morphSource.push_back(MorphKey{1, 0.0, 0.0, 0.25f});
    player().play(&node, &pulse);
    player().update(0.5);
    player().update(0.5);
    EXPECT_EQ(player().playingCount(), 0u);
    EXPECT_EQ(node.translationMat, glm::mat4(1.0f));
    EXPECT_EQ(node.scaleMat, glm::mat4(1.0f));
}

TEST_F(AnimationPlayerTest, PlayingANodeAgainReplacesItsAnimation) {
    TransformationNode node("n", "transformation");
    Animation first;
    first.moveSource.push_back(move({0, 0, 0}, {10, 0, 0}, 1.0f));
    Animation second;
    second.moveSource.push_back(move({0, 0, 0}, {0, 10, 0}, 1.0f));
    player().play(&node, &first);
    player().update(0.5);
    player().play(&node, &second);
    EXPECT_EQ(player().playingCount(), 1u);
    player().update(0.5);
    EXPECT_EQ(positionOf(node), glm::vec3(0, 5, 0));
    // Playing the first again restarts it from its source.
    player().play(&node, &first);
    player().update(0.25);
    EXPECT_EQ(positionOf(node), glm::vec3(2.5f, 0, 0));
}

TEST_F(AnimationPlayerTest, OneRecordPlaysOnSeveralNodesAndNullsAreIgnored) {
    TransformationNode a("a", "transformation");
    TransformationNode b("b", "transformation");
    Animation shared;
    shared.moveSource.push_back(move({0, 0, 0}, {8, 0, 0}, 1.0f));
    player().play(nullptr, &shared);
    player().play(&a, nullptr);
    EXPECT_EQ(player().playingCount(), 0u);
    player().play(&a, &shared);
    player().play(&b, &shared);
    player().update(0.25);
    EXPECT_EQ(positionOf(a), glm::vec3(2, 0, 0));
    EXPECT_EQ(positionOf(b), glm::vec3(2, 0, 0));
}

TEST_F(AnimationPlayerTest, EntryAfterARemovedOneIsStillSteppedInTheSameUpdate) {
    TransformationNode idle("idle", "transformation");
    TransformationNode moving("moving", "transformation");
    Animation empty;
    Animation flight;
    flight.moveSource.push_back(move({0, 0, 0}, {4, 0, 0}, 1.0f));
    player().play(&idle, &empty);
    player().play(&moving, &flight);
    player().update(0.5);
    EXPECT_EQ(player().playingCount(), 1u);
    EXPECT_EQ(positionOf(moving), glm::vec3(2, 0, 0));
    EXPECT_EQ(idle.translationMat, glm::mat4(1.0f));
}

} // namespace
