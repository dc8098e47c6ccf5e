#include "scenegraph/scene_blocks.h"
#include "scenegraph/scene_keys.h"

#include <gtest/gtest.h>

using namespace scenegraph;

TEST(SceneLinesSplit, LineEndsAndWindowsCarriageReturnsAreRemoved) {
    EXPECT_EQ(splitSceneLines("a\r\nb\n\nc"), (SceneLines{"a", "b", "", "c"}));
    EXPECT_EQ(splitSceneLines("a\n"), (SceneLines{"a"}));
    EXPECT_EQ(splitSceneLines("\r\n\n"), (SceneLines{"", ""}));
    EXPECT_TRUE(splitSceneLines("").empty());
}

TEST(SceneBlocks, NameRunsUpToTheFirstWordWithAColon) {
    EXPECT_EQ(blockName("<Node universum :"), "universum");
    EXPECT_EQ(blockName("<CameraNode main cam :"), "main cam");
    EXPECT_EQ(blockName("  <CameraNode   main    cam   :"), "main cam");
    EXPECT_EQ(blockName("<Node a b:c d"), "a");
    EXPECT_EQ(blockName("<Node no colon at all"), "no colon at all");
    EXPECT_EQ(blockName("<Node :"), "");
    EXPECT_EQ(blockName("<Node"), "");
}

TEST(SceneBlocks, ClosingKeyIsTheTagAndFourMoreCharacters) {
    EXPECT_EQ(closingKey("<Node universum :", "Node"), "Node uni");
    EXPECT_EQ(closingKey("<Transnode alpha :", "Transnode"), "Transnode alp");
    EXPECT_EQ(closingKey("<Node ab", "Node"), "Node ab");
}

TEST(SceneBlocks, BlocksEndAtTheirClosingKeyOrTheLastLine) {
    // An inner block with the same first three letters ends the outer one.
    const SceneLines alps = {"<Transnode alpha :", "<Transnode alps :", "</Transnode alps :",
                             "inside alpha", "</Transnode alpha :"};
    ASSERT_TRUE(findBlock(alps, "Transnode").has_value());
    EXPECT_EQ(findBlock(alps, "Transnode")->last, 2u);
    const SceneLines unclosed = {"<Node open :", "a", "b"};
    ASSERT_TRUE(findBlock(unclosed, "Node").has_value());
    EXPECT_EQ(findBlock(unclosed, "Node")->last, 2u);

    const SceneLines lines = {"x",
                              "<Node outer :",
                              "<Node inner :",
                              "</Node inner :",
                              "</Node outer :",
                              "<Node later :",
                              "</Node later :"};
    // Nested blocks of one tag with different names end right.
    const auto span = findBlock(lines, "Node");
    ASSERT_TRUE(span.has_value());
    EXPECT_EQ(span->first, 1u);
    EXPECT_EQ(span->last, 4u);
}

TEST(SceneBlocks, OpeningNeedsTheBracketRightBeforeTheTag) {
    const SceneLines lines = {"Node plain :", "</Node closing :", "<RootNode r :", "<Node found :"};
    const auto span = findBlock(lines, "Node");
    ASSERT_TRUE(span.has_value());
    EXPECT_EQ(span->first, 3u);
    EXPECT_FALSE(findBlock(lines, "Window").has_value());
}

TEST(SceneBlocks, TakingABlockRemovesItsLines) {
    SceneLines lines = {"a", "<Node n :", "b", "</Node n :", "c"};
    const SceneLines block = takeBlock(lines, *findBlock(lines, "Node"));
    EXPECT_EQ(block, (SceneLines{"<Node n :", "b", "</Node n :"}));
    EXPECT_EQ(lines, (SceneLines{"a", "c"}));
}

TEST(SceneBlocks, HeaderEndsAfterTheFirstLineWithAClosingBracket) {
    const SceneLines block = {"<Node n :", "status: 3", "> status: 4", "status: 5"};
    EXPECT_EQ(headerOf(block).size(), 3u);
    int status = 1;
    SceneKeys(headerOf(block)).read("status", status);
    EXPECT_EQ(status, 4);

    const SceneLines open = {"<Node n :", "status: 3"};
    EXPECT_EQ(headerOf(open).size(), 2u);
}

TEST(SceneKeysRead, KeyMayStandAnywhereAndTheLastLineWins) {
    const SceneLines lines = {"  drawMode: 2", "xx drawMode: 6", "isHit: true"};
    const SceneKeys keys(lines);
    int drawMode = 0;
    bool isHit = false;
    std::string missing = "kept";
    keys.read("drawMode", drawMode);
    keys.read("isHit", isHit);
    keys.read("active cam", missing);
    EXPECT_EQ(drawMode, 6);
    EXPECT_TRUE(isHit);
    EXPECT_EQ(missing, "kept");
}

TEST(SceneChildEntries, TypeWordsComeInLineOrderBelowTheCount) {
    const SceneLines header = {"child0: early", "children: 2", "child1: TransformationNode",
                               "child0: HitNode", "child2: beyond"};
    EXPECT_EQ(childTypeWords(header), (std::vector<std::string>{"TransformationNode", "HitNode"}));
}

TEST(SceneChildEntries, TwoDigitIndexIsFoundAsTheTextItContains) {
    // "child10" holds "child1", so with two children it is read as an entry.
    const SceneLines header = {"children: 2", "child10: ObjectNode"};
    EXPECT_EQ(childTypeWords(header).size(), 1u);
    const SceneLines none = {"children: 1", "child10: ObjectNode"};
    EXPECT_TRUE(childTypeWords(none).empty());
}

TEST(SceneChildEntries, HugeOrNegativeCountsCostNothing) {
    const SceneLines huge = {"children: 2147483647", "child0: ObjectNode", "child9: HitNode"};
    EXPECT_EQ(childTypeWords(huge).size(), 2u);
    const SceneLines negative = {"children: -5", "child0: ObjectNode"};
    EXPECT_TRUE(childTypeWords(negative).empty());
}
