#include "scenegraph/scene_blocks.h"
#include "scenegraph/scene_keys.h"

#include <gtest/gtest.h>

using namespace scenegraph;
using Span = std::pair<long, long>;

namespace {

// The block's first and last line, or (-1, -1) when there is none.
Span spanOf(const SceneLines& lines, const char* tag) {
    const auto span = findBlock(lines, tag);
    return span ? Span(span->first, span->last) : Span(-1, -1);
}

} // namespace

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
    EXPECT_EQ(spanOf(alps, "Transnode"), Span(0, 2));
    EXPECT_EQ(spanOf({"<Node open :", "a", "b"}, "Node"), Span(0, 2));

    const SceneLines lines = {"x",
                              "<Node outer :",
                              "<Node inner :",
                              "</Node inner :",
                              "</Node outer :",
                              "<Node later :",
                              "</Node later :"};
    // Nested blocks of one tag with different names end right.
    EXPECT_EQ(spanOf(lines, "Node"), Span(1, 4));
}

TEST(SceneBlocks, OpeningNeedsTheBracketRightBeforeTheTag) {
    const SceneLines lines = {"Node plain :", "</Node closing :", "<RootNode r :", "<Node found :"};
    EXPECT_EQ(spanOf(lines, "Node"), Span(3, 3));
    EXPECT_EQ(spanOf(lines, "Window"), Span(-1, -1));
}

TEST(SceneBlocks, TakenBlocksLeaveNothingLaterSearchesFind) {
    BlockList list({"a", "<Node n :", "<Window w :", "</Node n :", "<Window v :", "<Node m :"});
    const SceneLines node = list.take(*list.find("Node"));
    EXPECT_EQ(node, (SceneLines{"<Node n :", "<Window w :", "</Node n :"}));
    EXPECT_EQ(list.lines(), (SceneLines{"a", "", "", "", "<Window v :", "<Node m :"}));
    // A tag first searched after the take, one searched before it, and one
    // whose remembered line was taken meanwhile (the window runs to the end).
    EXPECT_EQ(list.find("Window")->first, 4u);
    EXPECT_EQ(list.find("Node")->first, 5u);
    list.take(*list.find("Window"));
    EXPECT_FALSE(list.find("Window") || list.find("Node"));
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

TEST(SceneChildEntries, TypeWordsComeInLineOrderBelowTheCountFoundByTheirText) {
    using Words = std::vector<std::string>;
    const std::pair<SceneLines, Words> cases[] = {
        {{"child0: early", "children: 2", "child1: TransformationNode", "child0: HitNode",
          "child2: beyond"},
         {"TransformationNode", "HitNode"}},
        // "child10" holds "child1", so with two children it is read as an entry.
        {{"children: 2", "child10: ObjectNode"}, {"ObjectNode"}},
        {{"children: 1", "child10: ObjectNode"}, {}},
    };
    for (const auto& [header, words] : cases) {
        EXPECT_EQ(childTypeWords(header), words) << header[0] << " " << header[1];
    }
}
