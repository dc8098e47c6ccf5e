#include "scene/scene_text.h"
#include "scene/world.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

using namespace scenegen;

namespace {

Scene sceneWith(SceneNode tree) {
    Scene scene;
    scene.name = "scene";
    scene.activeCam = "cam";
    scene.cameras = {{"cam", "SpaceShipCamera"}};
    scene.root.name = "root";
    scene.root.children.push_back(std::move(tree));
    return scene;
}

SceneNode node(const std::string& name, std::vector<SceneNode> children = {}) {
    SceneNode result;
    result.name = name;
    result.children = std::move(children);
    return result;
}

} // namespace

TEST(SceneWorld, ShippedSceneIsTheGeneratorsOutput) {
    std::ifstream file(CUEFLIGHT_SOURCE_DIR "/data/Scenes/testscene.scene", std::ios::binary);
    ASSERT_TRUE(file.is_open());
    std::ostringstream shipped;
    shipped << file.rdbuf();
    EXPECT_TRUE(shipped.str() == sceneText(gameWorld()))
        << "run generate_scene data/Scenes/testscene.scene after changing the world";
}

TEST(SceneWorld, WriterRefusesNamesThatCloseTheirEnclosingBlock) {
    EXPECT_THROW(sceneText(sceneWith(node("alpha", {node("alps")}))), std::logic_error);
    EXPECT_THROW(sceneText(sceneWith(node("alpha", {node("beta", {node("alpine")})}))),
                 std::logic_error);
    EXPECT_NO_THROW(sceneText(sceneWith(node("group", {node("alpha"), node("alps")}))));
}

TEST(SceneWorld, WriterRefusesNamesTheReaderWouldMisread) {
    EXPECT_THROW(sceneText(sceneWith(node("a:b"))), std::logic_error);
    EXPECT_THROW(sceneText(sceneWith(node("x > y"))), std::logic_error);
    EXPECT_THROW(sceneText(sceneWith(node(""))), std::logic_error);
    // The opening line would be read as the node's "status" line too.
    EXPECT_THROW(sceneText(sceneWith(node("status light"))), std::logic_error);
}
