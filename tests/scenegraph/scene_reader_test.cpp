#include "scene_fixture.h"

#include "app/window.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/disappearing_node.h"
#include "scenegraph/hit_node.h"
#include "support/scratch_dir.h"
#include "view/global_view_plane_move_camera.h"
#include "view/space_ship_camera.h"
#include "view/third_person_race_camera.h"

#include <glm/gtc/matrix_transform.hpp>

#include <regex>
#include <tuple>

using scenegraph::CameraNode;
using scenegraph::DisappearingNode;
using scenegraph::HitNode;
using scenegraph::Node;
using scenegraph::ObjectNode;
using scenegraph::TransformationNode;

namespace {

std::string childEntries(const std::vector<std::string>& words) {
    std::string text = "children: " + std::to_string(words.size()) + "\n";
    for (std::size_t i = 0; i < words.size(); ++i) {
        text += "child" + std::to_string(i) + ": " + words[i] + "\n";
    }
    return text;
}

std::vector<std::string> childNames(Node& node) {
    std::vector<std::string> names;
    for (Node* child : node.children) {
        names.push_back(child->getName() + " " + child->getType());
    }
    return names;
}

// The minimal scene of the format's description, line for line.
const std::string kMinimalScene =
    sceneAround(childEntries({"TransformationNode"}),
                "<Transnode universum :\nlocalmodelMat: [1|0|0|0][0|1|0|0][0|0|1|0][0|0|0|1]\n>\n"
                "<Node universum :\nstatus: 1\ndrawStatus: 1\nchildren: 0\n>\n</Node universum :\n"
                "</Transnode universum :\n");

} // namespace

TEST_F(SceneTest, MinimalSceneReplacesTheOldOneWithWindowCameraAndTree) {
    root().addChild(new Node("old", "Node"));
    root().addCamera(new CameraNode("old cam", new view::SpaceShipCamera()));
    EXPECT_TRUE(readWithErrors(kMinimalScene).empty());
    EXPECT_EQ(root().findNode("old"), nullptr);
    EXPECT_FALSE(root().hasCamera("old cam"));

    EXPECT_EQ(root().getName(), "root");
    const Window* w = root().window;
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(
        std::tuple(w->mode, w->width, w->height, w->changed, w->winOpen, w->nearPlane, w->farPlane),
        std::tuple(65537, 800, 600, true, false, 1.0f, 300.0f));

    ASSERT_EQ(root().cameras.size(), 1u);
    CameraNode* camera = root().cameras[0];
    EXPECT_EQ(camera->getName(), "main cam");
    EXPECT_NE(dynamic_cast<view::GlobalViewPlaneMoveCamera*>(camera->getCam()), nullptr);
    EXPECT_EQ(std::pair(camera->mouseX_old, camera->mouseY_old), std::pair(400, 300));
    EXPECT_EQ(root().activeCam, camera);
    EXPECT_EQ(root().activeCamName, "main cam");

    EXPECT_EQ(childNames(root()), (std::vector<std::string>{"universum TransformationNode"}));
    EXPECT_EQ(root().getChildCount(true), 1);
}

TEST_F(SceneTest, CameraClassIsTheFirstNamedAndOnOneLineTriedInOrder) {
    const std::string cameras = R"(<RootNode scene :
cameras: 3
active cam: racing cam
>
<CameraNode spaceship cam :
mouseX_old: 1
SpaceShipCamera
GlobalViewPlaneMoveCamera
>
</CameraNode spaceship cam :
<CameraNode racing cam :
SpaceShipCamera ThirdPersonRaceCamera
>
</CameraNode racing cam :
<CameraNode main cam :
>
count: 4
GlobalViewPlaneMoveCamera
</CameraNode main cam :
</RootNode scene :
)";
    read(cameras);
    ASSERT_EQ(root().cameras.size(), 3u);
    EXPECT_NE(dynamic_cast<view::SpaceShipCamera*>(root().cameras[0]->getCam()), nullptr);
    EXPECT_EQ(root().cameras[0]->mouseX_old, 1);
    EXPECT_NE(dynamic_cast<view::ThirdPersonRaceCamera*>(root().cameras[1]->getCam()), nullptr);
    EXPECT_NE(dynamic_cast<view::GlobalViewPlaneMoveCamera*>(root().cameras[2]->getCam()), nullptr);
    EXPECT_EQ(root().cameras[2]->count, 0) << "a key after the header is not read";
    EXPECT_EQ(root().activeCam, root().cameras[1]);
}

TEST_F(SceneTest, ChildrenAreTheFirstRemainingBlocksInEntryOrder) {
    const std::string blocks = objectBlocks("HitNode", "bonus",
                                            "color: [7|8|9]\nhitable: false\n"
                                            "modelMatrix: [1|0|0|0][0|1|0|0][0|0|1|0][4|0|0|1]\n") +
                               transformBlocks("pivot");
    read(sceneAround(childEntries({"HitNode", "TransformationNode"}), blocks));

    EXPECT_EQ(childNames(root()),
              (std::vector<std::string>{"bonus HitNode", "pivot TransformationNode"}));
    auto* bonus = dynamic_cast<HitNode*>(root().children[0]);
    ASSERT_NE(bonus, nullptr);
    EXPECT_EQ(bonus->color, glm::vec3(7.0f, 8.0f, 9.0f));
    EXPECT_FALSE(bonus->hitable);
    EXPECT_EQ(bonus->modelMatrix[3], glm::vec4(4.0f, 0.0f, 0.0f, 1.0f));
    // The geometry keeps the picking colour the node got at construction.
    ASSERT_EQ(store.requests.size(), 1u);
    EXPECT_EQ(bonus->getGeomObj(), store.requests[0].model);
    EXPECT_EQ(bonus->getGeomObj()->color, glm::vec3(2.0f, 0.0f, 0.0f) / 255.0f);
}

TEST_F(SceneTest, GeometryGetsItsPathsTransformAndNodeState) {
    const std::string geometry = R"(<ObjectNode rock :
>
<Node rock :
drawMode: 3
>
</Node rock :
<GeomObj rock geom :
>
<Transnode mesh rock :
scaleMat: [2|0|0|0][0|2|0|0][0|0|2|0][0|0|0|1]
>
objpath: Models/asteroid.obj
<Node mesh rock :
drawStatus: 0
>
</Node mesh rock :
</Transnode mesh rock :
texturepath: Sprites/asteroid_rock.tga
</GeomObj rock geom :
</ObjectNode rock :
)";
    read(sceneAround(childEntries({"ObjectNode"}), geometry));

    ASSERT_EQ(store.requests.size(), 1u);
    EXPECT_EQ(store.requests[0].objPath, "Models/asteroid.obj");
    EXPECT_EQ(store.requests[0].texturePath, "Sprites/asteroid_rock.tga");
    auto* rock = dynamic_cast<ObjectNode*>(root().findNode("rock"));
    ASSERT_NE(rock, nullptr);
    EXPECT_EQ(rock->getType(), "ObjectNode");
    EXPECT_EQ(rock->getDrawMode(), 3);
    model::OBJ* mesh = rock->getGeomObj();
    ASSERT_EQ(mesh, store.requests[0].model);
    EXPECT_EQ(mesh->getName(), "mesh rock");
    EXPECT_EQ(mesh->scaleMat, glm::scale(glm::mat4(1.0f), glm::vec3(2.0f)));
    EXPECT_EQ(mesh->getDrawStatus(), 0);
}

TEST_F(SceneTest, DisappearingNodeReadsItsKeysThenItsTransnode) {
    const std::string spinner = R"(<DisappearingNode spinner :
startTime: 0.1
timeLimit: 12.5
onHit: true
x_value: 1.5
dist: 40
y_smaller: true
>
<Transnode spin part :
rotMat: [1|0|0|0][0|0|1|0][0|-1|0|0][0|0|0|1]
>
<Node spin body :
children: 0
>
</Node spin body :
</Transnode spin part :
</DisappearingNode spinner :
)";
    read(sceneAround(childEntries({"DisappearingNode"}), spinner));

    ASSERT_EQ(root().children.size(), 1u);
    auto* node = dynamic_cast<DisappearingNode*>(root().children[0]);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->getName(), "spin body") << "the Node block's name stays";
    EXPECT_EQ(
        std::tuple(node->startTime, node->timeLimit, node->onHit, node->y_smaller, node->x_smaller),
        std::tuple(static_cast<double>(0.1f), 12.5, true, true, false));
    EXPECT_FLOAT_EQ(node->x_value, 1.5f);
    EXPECT_FLOAT_EQ(node->y_value, -999.9f);
    EXPECT_FLOAT_EQ(node->dist, 40.0f);
    EXPECT_EQ(node->rotMat[1], glm::vec4(0.0f, 0.0f, 1.0f, 0.0f));
}

TEST_F(SceneTest, UnknownTypeWordIsPrintedAndCreatesNothing) {
    testing::internal::CaptureStdout();
    read(sceneAround(childEntries({"Node", "TransformationNode"}), transformBlocks("after")));
    const std::string out = testing::internal::GetCapturedStdout();
    EXPECT_NE(out.find("UNKNOWN NODE TYPE - Node\n"), std::string::npos);
    EXPECT_EQ(childNames(root()), (std::vector<std::string>{"after TransformationNode"}));
}

TEST_F(SceneTest, WindowsLineEndsDoNotReachNamesOrValues) {
    const std::string text = std::regex_replace(kMinimalScene, std::regex("\n"), "\r\n");
    const testsupport::ScratchDir dir;
    scenegraph::loadScene(dir.write("crlf.scene", text), store.factory());
    EXPECT_EQ(root().activeCam, root().getCamera("main cam"));
    EXPECT_NE(root().activeCam, nullptr);
    EXPECT_TRUE(root().window->changed);
    EXPECT_NE(root().findNode("universum"), nullptr);
}
