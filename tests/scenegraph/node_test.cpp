#include "draw_log.h"

#include "scenegraph/node.h"

#include <gtest/gtest.h>

#include <sstream>

using scenegraph::Node;
using Log = std::vector<std::string>;

TEST(NodeTree, AddChildMovesTheChildBetweenParents) {
    Node first("first", "Node");
    Node second("second", "Node");
    auto* child = new Node("child", "Node");
    first.addChild(child);
    second.addChild(child);
    EXPECT_EQ(first.getChildCount(false), 0);
    ASSERT_EQ(second.getChildCount(false), 1);
    EXPECT_EQ(child->parent, &second);
}

TEST(NodeTree, RemoveChildKeepsOrderAndDoesNotDelete) {
    Node parent("parent", "Node");
    auto* a = new Node("a", "Node");
    auto* b = new Node("b", "Node");
    auto* c = new Node("c", "Node");
    parent.addChild(a);
    parent.addChild(b);
    parent.addChild(c);
    parent.removeChild(b);
    Node stranger("stranger", "Node");
    parent.removeChild(&stranger);
    ASSERT_EQ(parent.children.size(), 2u);
    EXPECT_EQ(parent.children[0], a);
    EXPECT_EQ(parent.children[1], c);
    EXPECT_EQ(b->parent, nullptr);
    delete b; // detached: the parent no longer owns it
}

TEST(NodeTree, ChildCountDirectAndRecursive) {
    Node root("root", "Node");
    auto* withKids = new Node("withKids", "Node");
    root.addChild(withKids);
    root.addChild(new Node("leaf", "Node"));
    for (int i = 0; i < 3; ++i) {
        withKids->addChild(new Node("grandchild", "Node"));
    }
    EXPECT_EQ(root.getChildCount(false), 2);
    EXPECT_EQ(root.getChildCount(true), 5);
}

TEST(NodeTree, DeletingANodeDetachesItFromItsParent) {
    Node parent("parent", "Node");
    auto* child = new Node("child", "Node");
    child->addChild(new Node("grandchild", "Node"));
    parent.addChild(child);
    delete child;
    EXPECT_EQ(parent.getChildCount(false), 0);
}

TEST(NodeFind, DepthFirstPreOrderAndNeverTheStartNode) {
    Node root("cue", "Node");
    auto* branch = new Node("branch", "Node");
    auto* deepCue = new Node("cue", "Node");
    auto* laterCue = new Node("cue", "Node");
    root.addChild(branch);
    branch->addChild(deepCue);
    root.addChild(laterCue);
    EXPECT_EQ(root.findNode("cue"), deepCue);
    EXPECT_EQ(branch->findNode("branch"), nullptr);
    EXPECT_EQ(root.findNode("cu"), nullptr);
    EXPECT_EQ(root.findNode("cue "), nullptr);
}

TEST(NodePrint, TabsPerDepthAndDirectChildCount) {
    Node root("scene", "Node");
    auto* group = new Node("group", "Node");
    root.addChild(group);
    group->addChild(new Node("cue", "HitNode"));
    group->addChild(new Node("rock", "ObjectNode"));
    std::ostringstream out;
    root.printTree(out, 0);
    EXPECT_EQ(out.str(), "\tNode : scene  ( 1 children) \n"
                         "\t\tNode : group  ( 2 children) \n"
                         "\t\t\tHitNode : cue  ( 0 children) \n"
                         "\t\t\tObjectNode : rock  ( 0 children) \n");
}

TEST(NodeHit, SetHitClimbsToTheTop) {
    Node top("top", "Node");
    auto* middle = new Node("middle", "Node");
    auto* leaf = new Node("leaf", "Node");
    top.addChild(middle);
    middle->addChild(leaf);
    leaf->setHit(true);
    EXPECT_TRUE(top.isHit());
    EXPECT_TRUE(middle->isHit());
    middle->setHit(false);
    EXPECT_FALSE(top.isHit());
    EXPECT_TRUE(leaf->isHit());
}

TEST(NodeSetters, DrawStatusAndModeReachEveryDescendant) {
    Node top("top", "Node");
    auto* middle = new Node("middle", "Node");
    auto* leaf = new Node("leaf", "Node");
    top.addChild(middle);
    middle->addChild(leaf);
    leaf->setDrawStatus(1);
    top.setDrawStatus(0);
    top.setDrawMode(7);
    EXPECT_EQ(leaf->getDrawStatus(), 0);
    EXPECT_EQ(middle->getDrawStatus(), 0);
    EXPECT_EQ(leaf->getDrawMode(), 7);
}

// A plain node neither draws nor serves a child's reset request.
TEST(NodeDraw, HiddenUnknownAndResetStatusesAreSkipped) {
    Log log;
    Node parent("parent", "Node");
    auto* hidden = new LoggingNode("hidden", &log);
    auto* unknown = new LoggingNode("unknown", &log);
    auto* reset = new LoggingNode("reset", &log);
    auto* shown = new LoggingNode("shown", &log);
    hidden->status = scenegraph::STATUS_HIDDEN;
    unknown->status = 2; // drawable as a node's own status, but not active
    reset->status = scenegraph::STATUS_RESET;
    for (Node* child : {hidden, unknown, reset, shown}) {
        parent.addChild(child);
    }
    drawOnce(parent);
    EXPECT_EQ(log, Log{"shown"});
    EXPECT_EQ(reset->getStatus(), scenegraph::STATUS_RESET);

    // A node not drawable itself draws nothing.
    log.clear();
    parent.status = scenegraph::STATUS_HIDDEN;
    drawOnce(parent);
    EXPECT_TRUE(log.empty());
}
