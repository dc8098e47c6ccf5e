#include "counting_obj.h"
#include "draw_log.h"

#include "scenegraph/disappearing_node.h"
#include "scenegraph/hit_node.h"
#include "scenegraph/root_node.h"
#include "util/color_counter.h"

#include <gtest/gtest.h>

#include <memory>

using scenegraph::HitNode;

namespace {

const unsigned char kThree[3] = {3, 0, 0};

// Starts a fresh colour sequence whose first colour, (2,0,0), is used up, so
// the cue each test builds is painted (3,0,0).
class HitNodeTest : public ::testing::Test {
protected:
    void SetUp() override {
        freshSingletons();
        first = std::make_unique<HitNode>("cue", &firstGeometry);
    }
    void TearDown() override { freshSingletons(); }
    static void freshSingletons() {
        util::ColorCounter::destroyInstance();
        scenegraph::RootNode::destroyInstance();
    }

    CountingObj firstGeometry;
    CountingObj cueGeometry;
    std::unique_ptr<HitNode> first;
};

} // namespace

TEST_F(HitNodeTest, EachNodeTakesTheNextColourAndPaintsItsGeometry) {
    HitNode second("cue", &cueGeometry);
    EXPECT_EQ(first->color, glm::vec3(2, 0, 0));
    EXPECT_EQ(second.color, glm::vec3(3, 0, 0));
    EXPECT_FLOAT_EQ(firstGeometry.color.r, 2.0f / 255.0f);
    EXPECT_FLOAT_EQ(cueGeometry.color.r, 3.0f / 255.0f);
}

TEST_F(HitNodeTest, NearMissClearsTheOwnFlagAndAMatchMarksNodeParentAndGeometryOnce) {
    scenegraph::Node parent("cueSystem", "Node");
    HitNode* cue = adopt(parent, new HitNode("cue", &cueGeometry));
    cue->setHit(true);
    cueGeometry.setHit(true);
    const unsigned char nearMiss[3] = {3, 0, 1};
    parent.checkHit(nearMiss);
    EXPECT_FALSE(cue->isHit());
    EXPECT_TRUE(cueGeometry.isHit());
    EXPECT_TRUE(cue->hitable);

    cueGeometry.setHit(false);
    parent.checkHit(kThree);
    EXPECT_TRUE(cue->isHit());
    EXPECT_TRUE(parent.isHit());
    EXPECT_TRUE(cueGeometry.isHit());

    // The game clears the flags; the node no longer listens to its colour.
    cueGeometry.setHit(false);
    cue->setHit(false);
    parent.checkHit(kThree);
    EXPECT_FALSE(cue->isHit());
    EXPECT_FALSE(cueGeometry.isHit());
    cue->setHitable(true);
    parent.checkHit(kThree);
    EXPECT_TRUE(cue->isHit());
}

TEST_F(HitNodeTest, HitReachesTheCueSystemButNotTheUniverse) {
    scenegraph::Node universum("universum", "TransformationNode");
    auto* cueSystem = adopt(universum, new scenegraph::DisappearingNode("cueSystem"));
    adopt(*cueSystem, new HitNode("cue", &cueGeometry));
    universum.checkHit(kThree);
    EXPECT_TRUE(cueSystem->isHit());
    EXPECT_FALSE(universum.isHit());
}

TEST_F(HitNodeTest, WithoutGeometryEveryWalkIsSafe) {
    scenegraph::TransformationNode parent("parent", "TransformationNode");
    auto* cue = adopt(parent, new HitNode("cue", nullptr));
    parent.update(0.0);
    cue->update(0.0);
    drawOnce(parent);
    parent.checkHit(kThree);
    EXPECT_TRUE(cue->isHit());
    EXPECT_FALSE(cue->hitable);
}
