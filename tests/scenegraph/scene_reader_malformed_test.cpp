#include "scene_fixture.h"
#include "scenegraph/scene_node_reader.h"
#include "scenegraph/transformation_node.h"

namespace {

std::string rootBlockAround(const std::string& tree) {
    return "<RootNode scene :\n>\n<Window win :\n>\n</Window win :\n" + tree +
           "</RootNode scene :\n";
}

} // namespace

// A Node opening line that also opens a Transnode makes the child's block the
// parent's own block again, without end unless the reader stops it.
TEST_F(SceneTest, BlockThatContainsItselfEndsWithOneErrorLine) {
    const std::string text = rootBlockAround("<Transnode top :\n>\n"
                                             "<Node loop <Transnode :\n"
                                             "children: 1\n"
                                             "child0: TransformationNode\n"
                                             ">\n");
    const std::string errors = readWithErrors(text);
    EXPECT_EQ(lineCount(errors), 1);
    EXPECT_NE(errors.find("overlap"), std::string::npos);
    // Two searches per node, far below the hundred levels of the depth bound.
    const auto budget = scenegraph::sceneReadBudget(static_cast<std::size_t>(lineCount(text)));
    EXPECT_LE(root().getChildCount(true), static_cast<int>(budget / 2));
}

// Two children of one ObjectNode that both find the same overlapping blocks
// would double the work at every level.
TEST_F(SceneTest, OverlappingObjectBlocksAreReadABoundedNumberOfTimes) {
    const std::string loop = "<Node o <ObjectNode <GeomObj <Transnode :\n"
                             "objpath: Models/cube.obj\n"
                             "children: 2\n"
                             "child0: ObjectNode\n"
                             "child1: ObjectNode\n"
                             ">\n";
    std::string tree = "<Transnode top :\n>\n";
    for (int i = 0; i < 40; ++i) {
        tree += loop;
    }
    readWithErrors(rootBlockAround(tree));
    EXPECT_LE(store.requests.size(), 200u);
}

// Objects whose geometry never closes: each copy of it runs to the end of
// the list, over every object after it. Searches alone would let such reads
// cost the square of the file's length; the lines they visit are bounded too.
TEST_F(SceneTest, LongOverlappingBlocksStopOnceTheirLinesAreSpent) {
    const std::string object = "<Node o <ObjectNode <GeomObj <Transnode :\n"
                               "objpath: Models/cube.obj\n"
                               "children: 2\n"
                               "child0: ObjectNode\n"
                               "child1: ObjectNode\n"
                               ">\n" +
                               std::string(50, '\n');
    std::string tree = "<Transnode top :\n>\n<Node top :\nchildren: 1\nchild0: ObjectNode\n>\n";
    for (int i = 0; i < 40; ++i) {
        tree += object;
    }
    scenegraph::BlockList lines(scenegraph::splitSceneLines(tree));
    // Every object read costs at least the lines up to the next one.
    const std::size_t objectsAffordable = 10;
    scenegraph::SceneNodeReader reader("test.scene", store.factory(),
                                       scenegraph::sceneReadBudget(lines.lines().size()),
                                       objectsAffordable * lineCount(object));
    scenegraph::TransformationNode top("", "TransformationNode");
    testing::internal::CaptureStderr();
    reader.readTransnode(lines, top, "the root");
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_TRUE(mentions(errors, "overlap"));
    EXPECT_LE(store.requests.size(), objectsAffordable);
}

TEST_F(SceneTest, NestingDeeperThanAHundredNodesIsCutThere) {
    std::string open;
    std::string close;
    for (int level = 0; level < 150; ++level) {
        const std::string name = std::to_string(1000 + level).substr(1) + " level";
        open += "<Transnode " + name + " :\n>\n<Node " + name +
                " :\nchildren: 1\nchild0: " + "TransformationNode\n>\n";
        close = "</Node " + name + " :\n</Transnode " + name + " :\n" + close;
    }
    const std::string errors = readWithErrors(rootBlockAround(open + close));
    EXPECT_EQ(lineCount(errors), 1);
    EXPECT_NE(errors.find("deeper than 100"), std::string::npos);
    // The root's own Node block is the first level.
    EXPECT_EQ(root().getChildCount(true), 99);
}
