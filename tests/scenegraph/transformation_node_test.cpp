#include "draw_log.h"
#include "support/glm_expect.h"

#include "scenegraph/transformation_node.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using scenegraph::Node;
using scenegraph::TransformationNode;
using testsupport::near;
using Log = std::vector<std::string>;

namespace {

const glm::mat4 kIdentity(1.0f);

glm::vec3 placed(const glm::mat4& m, glm::vec3 point = glm::vec3(0.0f)) {
    return glm::vec3(m * glm::vec4(point, 1.0f));
}

glm::mat4 rotation(float degrees, glm::vec3 axis) {
    return glm::rotate(kIdentity, glm::radians(degrees), axis);
}

} // namespace

TEST(TransformationUpdate, LocalIsTranslationThenScaleThenRotation) {
    TransformationNode node("node", "TransformationNode");
    node.setPosition(glm::vec3(10, 0, 0));
    node.setScale(glm::vec3(2, 2, 2));
    node.rotate(90, 0, 0, 1);
    node.update(0.0);
    // (1,0,0) turns to (0,1,0), doubles to (0,2,0), then moves to (10,2,0).
    EXPECT_TRUE(near(placed(node.globalModelMat, {1, 0, 0}), glm::vec3(10, 2, 0)));
}

TEST(TransformationUpdate, TopLevelIgnoresItsOwnParentsMatrix) {
    TransformationNode parent("parent", "TransformationNode");
    auto* child = adopt(parent, new TransformationNode("child", "TransformationNode"));
    parent.globalModelMat = glm::translate(kIdentity, glm::vec3(100, 0, 0));
    child->setPosition(glm::vec3(1, 2, 3));
    child->update(0.0);
    EXPECT_TRUE(near(child->globalModelMat, child->localmodelMat));
}

// The parent's rotation and translation act on the child's translation; the
// child's own axis rotations are folded in only on the top-level path.
TEST(TransformationUpdate, NestedGlobalIsParentTimesLocalWithTheOldRotation) {
    TransformationNode top("top", "TransformationNode");
    auto* nested = adopt(top, new TransformationNode("nested", "TransformationNode"));
    top.setPosition(glm::vec3(0, 0, -5));
    top.rotate(90, 0, 0, 1);
    nested->setPosition(glm::vec3(1, 0, 0));
    nested->rotate(90, 0, 1, 0);
    top.update(0.0);
    EXPECT_TRUE(near(placed(nested->globalModelMat), glm::vec3(0, 1, -5)));
    EXPECT_TRUE(near(nested->rotMat, kIdentity));
    nested->update(0.0);
    EXPECT_TRUE(near(nested->rotMat, nested->rotY));
}

TEST(TransformationUpdate, ChildOfPlainNodeIsTopLevelAndShowsRotation) {
    Node group("group", "Node");
    auto* spinner = adopt(group, new TransformationNode("spinner", "TransformationNode"));
    spinner->rotate(90, 0, 1, 0);
    group.update(0.0);
    EXPECT_NEAR(placed(spinner->globalModelMat, {1, 0, 0}).z, -1.0f, 1e-5f);
}

TEST(TransformationRotate, OnlyExactOneFlagsSelectAnAxis) {
    TransformationNode node("node", "TransformationNode");
    node.rotate(45, 0.5f, 0, 0);
    EXPECT_TRUE(near(node.rotX, kIdentity));
    node.rotate(45, 1, 1, 0);
    EXPECT_TRUE(near(node.rotX, rotation(45.0f, {1, 0, 0})));
    EXPECT_TRUE(near(node.rotY, rotation(45.0f, {0, 1, 0})));
    EXPECT_TRUE(near(node.rotZ, kIdentity));
    EXPECT_TRUE(near(node.rotMat, kIdentity));
}

TEST(TransformationReset, ClearsComposedMatricesButKeepsAxesAndGlobal) {
    TransformationNode node("node", "TransformationNode");
    node.rotate(30, 1, 0, 0);
    node.setPosition(glm::vec3(4, 5, 6));
    node.setScale(glm::vec3(3, 3, 3));
    node.update(0.0);
    const glm::mat4 global = node.globalModelMat;
    const glm::mat4 axis = node.rotX;
    node.reset();
    for (const glm::mat4* cleared :
         {&node.rotMat, &node.translationMat, &node.scaleMat, &node.localmodelMat}) {
        EXPECT_TRUE(near(*cleared, kIdentity));
    }
    EXPECT_TRUE(near(node.rotX, axis));
    EXPECT_TRUE(near(node.globalModelMat, global));
}

TEST(TransformationDraw, ResetRequestIsServedButNotDrawnThisPass) {
    Log log;
    TransformationNode parent("parent", "TransformationNode");
    auto* child = adopt(parent, new LoggingNode("child", &log));
    child->status = scenegraph::STATUS_RESET;
    drawOnce(parent);
    EXPECT_EQ(log, Log{"reset child"});
    EXPECT_EQ(child->getStatus(), scenegraph::STATUS_ACTIVE);
    drawOnce(parent);
    EXPECT_EQ(log, (Log{"reset child", "child"}));
}

TEST(TransformationDraw, RemovalShrinksTheListWithoutSkippingTheNextSibling) {
    Log log;
    TransformationNode parent("parent", "TransformationNode");
    adopt(parent, new LoggingNode("first", &log));
    auto* doomed = adopt(parent, new LoggingNode("doomed", &log));
    adopt(parent, new LoggingNode("after", &log));
    adopt(parent, new LoggingNode("last", &log));
    adopt(*doomed, new LoggingNode("doomedChild", &log));
    doomed->status = scenegraph::STATUS_REMOVE;
    drawOnce(parent);
    EXPECT_EQ(log, (Log{"first", "after", "last"}));
    ASSERT_EQ(parent.getChildCount(false), 3);
    EXPECT_EQ(parent.findNode("doomed"), nullptr);
    // The removed node survives, emptied and detached; its creator deletes it.
    EXPECT_EQ(doomed->getChildCount(false), 0);
    EXPECT_EQ(doomed->parent, nullptr);
    delete doomed;
}

TEST(TransformationDraw, ChildDrawnThisPassCanAskForRemoval) {
    // A child that flags itself during its own draw leaves in the same pass.
    class SelfRemoving : public TransformationNode {
    public:
        SelfRemoving() : TransformationNode("self", "TransformationNode") {}
        void draw(const glm::mat4*, const glm::mat4*, ShaderProgram*, int, int) override {
            status = scenegraph::STATUS_REMOVE;
        }
    };
    Node parent("parent", "Node");
    auto* self = adopt(parent, new SelfRemoving());
    drawOnce(parent);
    EXPECT_EQ(parent.getChildCount(false), 0);
    delete self;
}
