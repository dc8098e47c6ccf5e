#include "draw_log.h"

#include "scenegraph/node.h"

#include <gtest/gtest.h>

using scenegraph::Node;
using Log = std::vector<std::string>;
using Nodes = std::vector<Node*>;

TEST(NodeTree, ChildrenMoveLeaveInOrderAndDetachWhenDeleted) {
    Node parent("parent", "Node");
    Node other("other", "Node");
    auto* a = adopt(parent, new Node("a", "Node"));
    auto* b = adopt(parent, new Node("b", "Node"));
    auto* c = adopt(parent, new Node("c", "Node"));
    auto* d = adopt(parent, new Node("d", "Node"));
    for (int i = 0; i < 3; ++i) {
        adopt(*d, new Node("grandchild", "Node"));
    }
    EXPECT_EQ(parent.getChildCount(false), 4);
    EXPECT_EQ(parent.getChildCount(true), 7);

    other.addChild(a); // moves it
    EXPECT_EQ(a->parent, &other);
    EXPECT_EQ(other.children, Nodes{a});
    Node stranger("stranger", "Node");
    parent.removeChild(&stranger);
    parent.removeChild(c);
    EXPECT_EQ(parent.children, (Nodes{b, d}));
    EXPECT_EQ(c->parent, nullptr);
    delete c; // detached: the parent no longer owns it
    delete d;
    EXPECT_EQ(parent.children, Nodes{b});
}

TEST(NodeFind, DepthFirstPreOrderAndNeverTheStartNode) {
    Node root("cue", "Node");
    auto* branch = adopt(root, new Node("branch", "Node"));
    auto* deepCue = adopt(*branch, new Node("cue", "Node"));
    adopt(root, new Node("cue", "Node"));
    EXPECT_EQ(root.findNode("cue"), deepCue);
    EXPECT_EQ(branch->findNode("branch"), nullptr);
    EXPECT_EQ(root.findNode("cu"), nullptr);
    EXPECT_EQ(root.findNode("cue "), nullptr);
}

TEST(NodeChain, HitClimbsToTheTopAndDrawStateReachesEveryDescendant) {
    Node top("top", "Node");
    auto* middle = adopt(top, new Node("middle", "Node"));
    auto* leaf = adopt(*middle, new Node("leaf", "Node"));
    leaf->setHit(true);
    EXPECT_TRUE(top.isHit());
    EXPECT_TRUE(middle->isHit());
    middle->setHit(false);
    EXPECT_FALSE(top.isHit());
    EXPECT_TRUE(leaf->isHit());

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
    adopt(parent, new LoggingNode("hidden", &log))->status = scenegraph::STATUS_HIDDEN;
    // 2 is drawable as a node's own status, but not active.
    adopt(parent, new LoggingNode("unknown", &log))->status = 2;
    auto* reset = adopt(parent, new LoggingNode("reset", &log));
    reset->status = scenegraph::STATUS_RESET;
    adopt(parent, new LoggingNode("shown", &log));
    drawOnce(parent);
    EXPECT_EQ(log, Log{"shown"});
    EXPECT_EQ(reset->getStatus(), scenegraph::STATUS_RESET);

    // A node not drawable itself draws nothing.
    log.clear();
    parent.status = scenegraph::STATUS_HIDDEN;
    drawOnce(parent);
    EXPECT_TRUE(log.empty());
}
