#include "animation/track_stepping.h"
#include "support/glm_expect.h"

#include <gtest/gtest.h>

namespace {

using animation::Animation;
using animation::MoveKey;
using animation::RotationKey;
using animation::ScaleKey;

class TrackStepping : public ::testing::Test {
protected:
    void SetUp() override { animation::spinAccumulator = 0.0f; }
};

void expectVec(const std::optional<glm::vec3>& value, glm::vec3 expected) {
    ASSERT_TRUE(value.has_value());
    EXPECT_TRUE(testsupport::near(*value, expected, testsupport::kFloatEq));
}

TEST_F(TrackStepping, MoveWaitsOutItsDelayRunsLinearlyThenEndsOnItsTarget) {
    Animation animation;
    MoveKey key;
    key.from = glm::vec3(2.0f, 0.0f, -4.0f);
    key.to = glm::vec3(6.0f, 8.0f, 0.0f);
    key.delay = 1.0;
    key.duration = 2.0f;
    animation.moveTrack.push_back(key);

    EXPECT_FALSE(animation::stepMoveTrack(animation, 0.5).has_value());
    EXPECT_FALSE(animation::stepMoveTrack(animation, 0.25).has_value());
    expectVec(animation::stepMoveTrack(animation, 0.25), key.from);  // 1.0 s: starts
    expectVec(animation::stepMoveTrack(animation, 0.5), {3, 2, -3}); // 1.5 s: a quarter
    expectVec(animation::stepMoveTrack(animation, 1.0), {5, 6, -1}); // 2.5 s
    expectVec(animation::stepMoveTrack(animation, 0.5), key.to);     // 3.0 s: still running
    EXPECT_EQ(animation.moveTrack.size(), 1u);
    expectVec(animation::stepMoveTrack(animation, 0.5), key.to); // over: the end, once
    EXPECT_TRUE(animation.moveTrack.empty());
    EXPECT_FALSE(animation::stepMoveTrack(animation, 0.5).has_value());
    EXPECT_FLOAT_EQ(animation.translation.x, 6.0f); // the last interpolated value
}

TEST_F(TrackStepping, FinishedScaleKeyHandsTheRestOfTheStepToAFromCurrentSuccessor) {
    Animation animation;
    ScaleKey first;
    first.from = glm::vec3(0.0f);
    first.to = glm::vec3(10.0f);
    first.duration = 1.0f;
    ScaleKey second;
    second.from = glm::vec3(-100.0f); // replaced: it starts where the first one was last
    second.to = glm::vec3(20.0f);
    second.fromCurrent = true;
    second.duration = 1.0f;
    animation.scaleTrack = {first, second};

    expectVec(animation::stepScaleTrack(animation, 0.5), glm::vec3(5.0f));
    // 1.25 s: the first is over, the second starts from 5 (the last
    // interpolated value, not the first's end) and is 0.75 s in.
    expectVec(animation::stepScaleTrack(animation, 0.75), glm::vec3(16.25f));
    ASSERT_EQ(animation.scaleTrack.size(), 1u);
    EXPECT_FLOAT_EQ(animation.scaleTrack.front().from.x, 5.0f);
    EXPECT_FLOAT_EQ(animation.scale.x, 16.25f);
}

TEST_F(TrackStepping, FinishedKeyYieldsItsEndWhenTheNextOneStillWaits) {
    Animation animation;
    MoveKey first;
    first.to = glm::vec3(1.0f, 2.0f, 3.0f);
    first.duration = 0.5f;
    MoveKey waiting;
    waiting.to = glm::vec3(9.0f);
    waiting.delay = 5.0;
    waiting.duration = 1.0f;
    animation.moveTrack = {first, waiting};

    expectVec(animation::stepMoveTrack(animation, 1.0), first.to);
    EXPECT_EQ(animation.moveTrack.size(), 1u);
    EXPECT_DOUBLE_EQ(animation.moveTrack.front().elapsed, 1.0); // stepped with the same time
    EXPECT_FALSE(animation::stepMoveTrack(animation, 1.0).has_value());
}

TEST_F(TrackStepping, KeyWithoutDurationEndsOnItsTargetInsteadOfDividingByZero) {
    Animation animation;
    MoveKey jump;
    jump.to = glm::vec3(4.0f, 5.0f, 6.0f);
    animation.moveTrack.push_back(jump);
    expectVec(animation::stepMoveTrack(animation, 0.0), jump.to);
    EXPECT_TRUE(animation.moveTrack.empty());
}

TEST_F(TrackStepping, RotationHandsOutSharesAndTheEndCorrectsTheSpin) {
    std::deque<RotationKey> track;
    RotationKey turn;
    turn.angles = glm::vec3(40.0f, 0.0f, 90.0f);
    turn.duration = 1.0f;
    track.push_back(turn);

    expectVec(animation::stepRotationTrack(track, 0.25), {10, 0, 22.5f});
    expectVec(animation::stepRotationTrack(track, 0.5), {20, 0, 45});
    EXPECT_FLOAT_EQ(animation::spinAccumulator, 67.5f);
    // Over at 1.25 s: z gets what the shares missed, x and y nothing.
    expectVec(animation::stepRotationTrack(track, 0.5), {0, 0, 22.5f});
    EXPECT_FLOAT_EQ(animation::spinAccumulator, 0.0f);
    EXPECT_TRUE(track.empty());
}

TEST_F(TrackStepping, AllRotationTracksShareOneSpin) {
    std::deque<RotationKey> fast{{glm::vec3(0, 0, 90), 0.0, 0.0, 1.0f}};
    std::deque<RotationKey> slow{{glm::vec3(0, 0, 30), 0.0, 0.0, 1.0f}};
    animation::stepRotationTrack(fast, 0.5);
    animation::stepRotationTrack(slow, 0.5);
    EXPECT_FLOAT_EQ(animation::spinAccumulator, 60.0f);
    expectVec(animation::stepRotationTrack(fast, 0.75), {0, 0, 30});
    EXPECT_FLOAT_EQ(animation::spinAccumulator, 0.0f);
}

} // namespace
