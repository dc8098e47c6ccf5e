#include "scene/scene_text.h"
#include "scene/world.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

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
    const std::string shipped =
        testsupport::readFile(CUEFLIGHT_SOURCE_DIR "/data/Scenes/testscene.scene");
    ASSERT_FALSE(shipped.empty());
    EXPECT_TRUE(shipped == sceneText(gameWorld()))
        << "run generate_scene data/Scenes/testscene.scene after changing the world";
}

// Refused: names that close their enclosing block, and names the reader would
// misread ("status light" would be read as the node's status line too).
TEST(SceneWorld, WriterRefusesNamesThatCloseTheirBlockOrTheReaderWouldMisread) {
    for (const SceneNode& tree :
         {node("alpha", {node("alps")}), node("alpha", {node("beta", {node("alpine")})}),
          node("a:b"), node("x > y"), node(""), node("status light")}) {
        EXPECT_THROW(sceneText(sceneWith(tree)), std::logic_error) << tree.name;
    }
    EXPECT_NO_THROW(sceneText(sceneWith(node("group", {node("alpha"), node("alps")}))));
}
