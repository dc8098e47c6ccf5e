#include "draw_log.h"

#include "scenegraph/transformation_node.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using scenegraph::Node;
using scenegraph::TransformationNode;
using Log = std::vector<std::string>;

namespace {

void expectNear(const glm::mat4& actual, const glm::mat4& expected) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(actual[c][r], expected[c][r], 1e-5f)
                << "element [" << c << "][" << r << "]";
        }
    }
}

glm::vec3 origin(const glm::mat4& m) {
    return glm::vec3(m * glm::vec4(0, 0, 0, 1));
}

} // namespace

TEST(TransformationUpdate, LocalIsTranslationThenScaleThenRotation) {
    TransformationNode node("node", "TransformationNode");
    node.setPosition(glm::vec3(10, 0, 0));
    node.setScale(glm::vec3(2, 2, 2));
    node.rotate(90, 0, 0, 1);
    node.update(0.0);
    // (1,0,0) turns to (0,1,0), doubles to (0,2,0), then moves to (10,2,0).
    const glm::vec4 moved = node.globalModelMat * glm::vec4(1, 0, 0, 1);
    EXPECT_NEAR(moved.x, 10.0f, 1e-5f);
    EXPECT_NEAR(moved.y, 2.0f, 1e-5f);
    EXPECT_NEAR(moved.z, 0.0f, 1e-5f);
}

TEST(TransformationUpdate, TopLevelIgnoresItsOwnParentsMatrix) {
    TransformationNode parent("parent", "TransformationNode");
    auto* child = new TransformationNode("child", "TransformationNode");
    parent.addChild(child);
    parent.globalModelMat = glm::translate(glm::mat4(1.0f), glm::vec3(100, 0, 0));
    child->setPosition(glm::vec3(1, 2, 3));
    child->update(0.0);
    expectNear(child->globalModelMat, child->localmodelMat);
}

TEST(TransformationUpdate, NestedNodeKeepsItsOldRotationUntilRotMatIsRebuilt) {
    TransformationNode top("top", "TransformationNode");
    auto* nested = new TransformationNode("nested", "TransformationNode");
    top.addChild(nested);
    top.setPosition(glm::vec3(0, 0, -5));
    nested->rotate(90, 0, 1, 0);
    top.update(0.0);
    EXPECT_NEAR(origin(nested->globalModelMat).z, -5.0f, 1e-5f);
    expectNear(nested->rotMat, glm::mat4(1.0f));
    // Only the top-level path folds the axis rotations in.
    nested->update(0.0);
    expectNear(nested->rotMat, nested->rotY);
}

TEST(TransformationUpdate, ChildOfPlainNodeIsTopLevelAndShowsRotation) {
    Node group("group", "Node");
    auto* spinner = new TransformationNode("spinner", "TransformationNode");
    group.addChild(spinner);
    spinner->rotate(90, 0, 1, 0);
    group.update(0.0);
    const glm::vec4 turned = spinner->globalModelMat * glm::vec4(1, 0, 0, 1);
    EXPECT_NEAR(turned.z, -1.0f, 1e-5f);
}

TEST(TransformationUpdate, NestedGlobalIsParentTimesLocal) {
    TransformationNode top("top", "TransformationNode");
    auto* nested = new TransformationNode("nested", "TransformationNode");
    top.addChild(nested);
    top.rotate(90, 0, 0, 1);
    nested->setPosition(glm::vec3(1, 0, 0));
    top.update(0.0);
    // The parent's rotation acts on the child's translation.
    const glm::vec3 at = origin(nested->globalModelMat);
    EXPECT_NEAR(at.x, 0.0f, 1e-5f);
    EXPECT_NEAR(at.y, 1.0f, 1e-5f);
}

TEST(TransformationRotate, OnlyExactOneFlagsSelectAnAxis) {
    TransformationNode node("node", "TransformationNode");
    node.rotate(45, 0.5f, 0, 0);
    expectNear(node.rotX, glm::mat4(1.0f));
    node.rotate(45, 1, 1, 0);
    const glm::mat4 expectedX =
        glm::rotate(glm::mat4(1.0f), glm::radians(45.0f), glm::vec3(1, 0, 0));
    const glm::mat4 expectedY =
        glm::rotate(glm::mat4(1.0f), glm::radians(45.0f), glm::vec3(0, 1, 0));
    expectNear(node.rotX, expectedX);
    expectNear(node.rotY, expectedY);
    expectNear(node.rotZ, glm::mat4(1.0f));
    expectNear(node.rotMat, glm::mat4(1.0f));
}

TEST(TransformationPosition, SetPositionIsAbsolute) {
    TransformationNode node("node", "TransformationNode");
    node.setPosition(glm::vec3(1, 0, 0));
    node.setPosition(glm::vec3(1, 0, 0));
    glm::vec3 position(-1.0f);
    node.getPosition(position);
    EXPECT_EQ(position, glm::vec3(1, 0, 0));
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
    expectNear(node.rotMat, glm::mat4(1.0f));
    expectNear(node.translationMat, glm::mat4(1.0f));
    expectNear(node.scaleMat, glm::mat4(1.0f));
    expectNear(node.localmodelMat, glm::mat4(1.0f));
    expectNear(node.rotX, axis);
    expectNear(node.globalModelMat, global);
}

TEST(TransformationDraw, ResetRequestIsServedButNotDrawnThisPass) {
    Log log;
    TransformationNode parent("parent", "TransformationNode");
    auto* child = new LoggingNode("child", &log);
    child->status = scenegraph::STATUS_RESET;
    parent.addChild(child);
    drawOnce(parent);
    EXPECT_EQ(log, Log{"reset child"});
    EXPECT_EQ(child->getStatus(), scenegraph::STATUS_ACTIVE);
    drawOnce(parent);
    EXPECT_EQ(log, (Log{"reset child", "child"}));
}

TEST(TransformationDraw, RemovalShrinksTheListWithoutSkippingTheNextSibling) {
    Log log;
    TransformationNode parent("parent", "TransformationNode");
    auto* first = new LoggingNode("first", &log);
    auto* doomed = new LoggingNode("doomed", &log);
    auto* after = new LoggingNode("after", &log);
    auto* last = new LoggingNode("last", &log);
    doomed->addChild(new LoggingNode("doomedChild", &log));
    doomed->status = scenegraph::STATUS_REMOVE;
    parent.addChild(first);
    parent.addChild(doomed);
    parent.addChild(after);
    parent.addChild(last);
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
    auto* self = new SelfRemoving();
    parent.addChild(self);
    drawOnce(parent);
    EXPECT_EQ(parent.getChildCount(false), 0);
    delete self;
}
