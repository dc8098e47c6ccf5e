#include "draw_log.h"

#include "app/window.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/root_node.h"
#include "view/space_ship_camera.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <sstream>

using scenegraph::CameraNode;
using scenegraph::Node;
using scenegraph::RootNode;
using scenegraph::TransformationNode;

namespace {

class RootNodeTest : public ::testing::Test {
protected:
    void SetUp() override {
        RootNode::destroyInstance();
        root = RootNode::getInstance();
    }
    void TearDown() override { RootNode::destroyInstance(); }

    static CameraNode* addCamera(const std::string& name) {
        auto* camera = new CameraNode(name, new view::SpaceShipCamera());
        RootNode::getInstance()->addCamera(camera);
        return camera;
    }

    RootNode* root = nullptr;
};

} // namespace

TEST_F(RootNodeTest, StartsWithMembersOfEachModeSetAndMakesItsWindowOnce) {
    EXPECT_TRUE(root->isRoot());
    EXPECT_EQ(root->textureFilterMode, scenegraph::FILTER_BILINEAR);
    EXPECT_EQ(root->mipmapMode, scenegraph::MIPMAP_LINEAR);
    EXPECT_EQ(root->cullingMode, scenegraph::CULL_NONE);
    // The first window request creates the record, once.
    Window* window = root->getWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_FLOAT_EQ(window->nearPlane, 1.0f);
    EXPECT_FLOAT_EQ(window->farPlane, 300.0f);
    EXPECT_EQ(window->projmat, glm::mat4(1.0f));
    EXPECT_FALSE(window->winOpen);
    EXPECT_EQ(root->getWindow(), window);
}

TEST_F(RootNodeTest, UnknownCameraNameIsStoredButKeepsTheActiveCamera) {
    CameraNode* main = addCamera("main cam");
    addCamera("racing cam");
    root->setActiveCamera("main cam");
    ASSERT_EQ(root->activeCam, main);
    root->setActiveCamera("no such cam");
    EXPECT_EQ(root->activeCam, main);
    EXPECT_EQ(root->activeCamName, "no such cam");
    root->setActiveCamera("racing cam");
    EXPECT_EQ(root->activeCam, root->getCamera("racing cam"));
    EXPECT_FALSE(root->hasCamera("main"));
}

// The root's own line is indented with spaces, the cameras follow a separator;
// clearing the scene empties everything but the modes.
TEST_F(RootNodeTest, PrintTreeListsCamerasAfterASeparatorAndClearSceneKeepsOnlyTheModes) {
    root->cullingMode = scenegraph::CULL_SCENEGRAPH_Z;
    auto* universum = adopt(*root, new TransformationNode("universum", "TransformationNode"));
    adopt(*universum, new Node("cue", "HitNode"));
    adopt(*root, new Node("moon", "ObjectNode"));
    addCamera("main cam");
    std::ostringstream out;
    root->printTree(out, 0);
    EXPECT_EQ(out.str(), "  RootNode : ROOT  ( 2 children) \n"
                         "\t\tTransformationNode : universum  ( 1 children) \n"
                         "\t\t\tHitNode : cue  ( 0 children) \n"
                         "\t\tObjectNode : moon  ( 0 children) \n"
                         "   ----- \n"
                         "\t\tCameraNode : main cam  ( 0 children) \n");

    adopt(*root->getCamera("main cam"), new Node("attached", "Node"));
    root->setActiveCamera("main cam");
    root->getWindow()->width = 640;
    root->clearScene();
    EXPECT_EQ(root->getChildCount(true), 0);
    EXPECT_TRUE(root->cameras.empty());
    EXPECT_EQ(root->activeCam, nullptr);
    EXPECT_EQ(root->window, nullptr);
    EXPECT_EQ(root->cullingMode, scenegraph::CULL_SCENEGRAPH_Z);
    EXPECT_EQ(root->activeCamName, "main cam");
    EXPECT_NE(root->getWindow()->width, 640);
}

// Children are top-level: the root's own matrices are ignored and their axis
// rotations folded in. Of the cameras, only the active one moves.
TEST_F(RootNodeTest, UpdateTreatsChildrenAsTopLevelAndMovesOnlyTheActiveCamera) {
    root->setPosition(glm::vec3(50, 0, 0));
    auto* child = adopt(*root, new TransformationNode("child", "TransformationNode"));
    child->rotate(90, 0, 0, 1);
    child->setPosition(glm::vec3(1, 0, 0));
    CameraNode* active = addCamera("main cam");
    CameraNode* idle = addCamera("racing cam");
    active->getCam()->setPosition(glm::vec3(0, 0, -3));
    idle->getCam()->setPosition(glm::vec3(0, 0, -3));
    root->setActiveCamera("main cam");
    root->update(0.0);
    EXPECT_EQ(child->globalModelMat, child->localmodelMat);
    EXPECT_EQ(child->rotMat, child->rotZ);
    EXPECT_FLOAT_EQ((*active->getCam()->viewMatrix())[3][2], -3.0f);
    EXPECT_FLOAT_EQ((*idle->getCam()->viewMatrix())[3][2], 0.0f);
}
