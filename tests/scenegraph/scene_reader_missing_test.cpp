#include "scene_fixture.h"

#include "app/window.h"
#include "scenegraph/camera_node.h"
#include "view/space_ship_camera.h"

using scenegraph::CameraNode;
using scenegraph::Node;

namespace {

const std::string kTwoChildren = "children: 2\nchild0: TransformationNode\nchild1: "
                                 "TransformationNode\n";

// A scene the missing-block tests start from, so "left as it was" is visible.
class SceneMissingTest : public SceneTest {
protected:
    void SetUp() override {
        SceneTest::SetUp();
        root().addChild(new Node("previous", "Node"));
        root().addCamera(new CameraNode("previous cam", new view::SpaceShipCamera()));
        root().setActiveCamera("previous cam");
    }

    void expectPreviousScene() {
        EXPECT_NE(root().findNode("previous"), nullptr);
        EXPECT_EQ(root().activeCam, root().getCamera("previous cam"));
    }
};

} // namespace

TEST_F(SceneMissingTest, WithoutANamedRootNodeBlockTheSceneStaysAsItWas) {
    struct Case {
        const char* text;
        const char* named; // what the one error line must say
    };
    for (const Case& c : {Case{"<Node lonely :\n>\n</Node lonely :\n", "\"RootNode\""},
                          Case{"", "no \"RootNode\" block"},
                          Case{"<RootNode :\n>\n</RootNode :\n", "has no name"}}) {
        const std::string errors = readWithErrors(c.text);
        EXPECT_EQ(lineCount(errors), 1) << c.text;
        EXPECT_TRUE(mentions(errors, "test.scene")) << c.text;
        EXPECT_TRUE(mentions(errors, c.named)) << c.text;
        expectPreviousScene();
    }
}

TEST_F(SceneMissingTest, FileThatCannotBeOpenedLeavesTheScene) {
    testing::internal::CaptureStderr();
    scenegraph::loadScene("no/such/dir/missing.scene", store.factory());
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(lineCount(errors), 1);
    EXPECT_TRUE(mentions(errors, "no/such/dir/missing.scene"));
    expectPreviousScene();
}

TEST_F(SceneTest, WithoutWindowBlockTheRestIsReadAndTheWindowIsNew) {
    std::string text = sceneAround("children: 0\n", "");
    text.erase(text.find("<Window"), text.find("<CameraNode") - text.find("<Window"));
    const std::string errors = readWithErrors(text);
    EXPECT_EQ(lineCount(errors), 1);
    EXPECT_TRUE(mentions(errors, "\"Window\""));
    const Window initial;
    ASSERT_NE(root().getWindow(), nullptr);
    EXPECT_EQ(root().getWindow()->width, initial.width);
    EXPECT_EQ(root().getWindow()->height, initial.height);
    EXPECT_NE(root().activeCam, nullptr);
    EXPECT_EQ(root().getName(), "root");
}

// A child whose blocks are missing, broken or nameless is reported on one line
// and skipped; the child after it is read and hung under the root.
TEST_F(SceneTest, ABrokenChildIsReportedAndSkippedAndTheNextOneRead) {
    struct Case {
        std::string rootChildren;
        std::string blocks;
        std::vector<std::string> named; // what the error line must say
        std::string survivor;
    };
    const std::string bare = "<ObjectNode bare :\n>\n<Node bare :\n>\n</Node bare :\n"
                             "</ObjectNode bare :\n";
    const Case cases[] = {
        {kTwoChildren + "child2: HitNode\n",
         transformBlocks("first"),
         {"child 1 (TransformationNode) of \"root\"", "\"Transnode\""},
         "first"},
        {kTwoChildren,
         "<Transnode broken :\n>\n</Transnode broken :\n" + transformBlocks("second"),
         {"\"Node\""},
         "second"},
        {"children: 2\nchild0: ObjectNode\nchild1: HitNode\n",
         bare + objectBlocks("HitNode", "target", ""),
         {"\"GeomObj\"", "\"bare\""},
         "target"},
        {kTwoChildren,
         "<Transnode :\n>\n<Node :\n>\n</Node :\n</Transnode :\n" + transformBlocks("named"),
         {"has no name"},
         "named"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.survivor);
        const std::string errors = readWithErrors(sceneAround(c.rootChildren, c.blocks));
        EXPECT_EQ(lineCount(errors), 1) << errors;
        for (const std::string& part : c.named) {
            EXPECT_TRUE(mentions(errors, part)) << errors;
        }
        ASSERT_EQ(root().children.size(), 1u);
        EXPECT_EQ(root().children[0]->getName(), c.survivor);
        EXPECT_EQ(root().children[0]->parent, &root());
    }
}

TEST_F(SceneTest, CameraWithoutClassIsSkippedAndTheOthersRead) {
    std::string text = sceneAround("children: 0\n", "");
    const std::string classless = "<CameraNode odd cam :\n>\n</CameraNode odd cam :\n";
    text.insert(text.find("<CameraNode"), classless);
    text.replace(text.find("cameras: 1"), 10, "cameras: 2");
    const std::string errors = readWithErrors(text);
    EXPECT_EQ(lineCount(errors), 1);
    EXPECT_TRUE(mentions(errors, "\"odd cam\" names no camera class"));
    ASSERT_EQ(root().cameras.size(), 1u);
    EXPECT_EQ(root().activeCam, root().getCamera("main cam"));
}

TEST_F(SceneTest, CameraCountBeyondTheBlocksStopsAtTheLastOne) {
    std::string text = sceneAround("children: 0\n", "");
    text.replace(text.find("cameras: 1"), 10, "cameras: 2147483647");
    const std::string errors = readWithErrors(text);
    EXPECT_EQ(lineCount(errors), 1);
    EXPECT_TRUE(mentions(errors, "camera 2 of 2147483647"));
    EXPECT_EQ(root().cameras.size(), 1u);
}

TEST_F(SceneTest, HugeChildCountReadsOnlyTheEntriesThatExist) {
    read(sceneAround("children: 2147483647\nchild0: TransformationNode\n", transformBlocks("one")));
    EXPECT_EQ(root().getChildCount(true), 1);
    read(sceneAround("children: -1\nchild0: TransformationNode\n", transformBlocks("none")));
    EXPECT_EQ(root().getChildCount(true), 0);
}
