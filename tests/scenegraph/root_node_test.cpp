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
    void SetUp() override { RootNode::destroyInstance(); }
    void TearDown() override { RootNode::destroyInstance(); }

    static CameraNode* addCamera(const std::string& name) {
        auto* camera = new CameraNode(name, new view::SpaceShipCamera());
        RootNode::getInstance()->addCamera(camera);
        return camera;
    }
};

} // namespace

TEST_F(RootNodeTest, StartsWithMembersOfEachModeSetAndMakesItsWindowOnce) {
    RootNode* root = RootNode::getInstance();
    EXPECT_EQ(root->getName(), "ROOT");
    EXPECT_EQ(root->getType(), "RootNode");
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
    RootNode* root = RootNode::getInstance();
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

TEST_F(RootNodeTest, ClearSceneEmptiesEverythingButTheModes) {
    RootNode* root = RootNode::getInstance();
    root->cullingMode = scenegraph::CULL_SCENEGRAPH_Z;
    addCamera("main cam")->addChild(new Node("attached", "Node"));
    root->setActiveCamera("main cam");
    auto* universum = new TransformationNode("universum", "TransformationNode");
    universum->addChild(new Node("cue", "HitNode"));
    root->addChild(universum);
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

TEST_F(RootNodeTest, UpdateTreatsChildrenAsTopLevelAndIgnoresRootMatrices) {
    RootNode* root = RootNode::getInstance();
    root->setPosition(glm::vec3(50, 0, 0));
    auto* child = new TransformationNode("child", "TransformationNode");
    child->rotate(90, 0, 0, 1);
    child->setPosition(glm::vec3(1, 0, 0));
    root->addChild(child);
    root->update(0.0);
    EXPECT_EQ(child->globalModelMat, child->localmodelMat);
    EXPECT_EQ(child->rotMat, child->rotZ);
}

TEST_F(RootNodeTest, UpdateMovesOnlyTheActiveCamera) {
    RootNode* root = RootNode::getInstance();
    CameraNode* active = addCamera("main cam");
    CameraNode* idle = addCamera("racing cam");
    active->getCam()->setPosition(glm::vec3(0, 0, -3));
    idle->getCam()->setPosition(glm::vec3(0, 0, -3));
    root->setActiveCamera("main cam");
    root->update(0.0);
    EXPECT_FLOAT_EQ((*active->getCam()->viewMatrix())[3][2], -3.0f);
    EXPECT_FLOAT_EQ((*idle->getCam()->viewMatrix())[3][2], 0.0f);
}

TEST_F(RootNodeTest, PrintTreeIndentsRootWithSpacesAndListsCamerasAfterASeparator) {
    RootNode* root = RootNode::getInstance();
    auto* universum = new TransformationNode("universum", "TransformationNode");
    universum->addChild(new Node("cue", "HitNode"));
    root->addChild(universum);
    root->addChild(new Node("moon", "ObjectNode"));
    addCamera("main cam");
    std::ostringstream out;
    root->printTree(out, 0);
    EXPECT_EQ(out.str(), "  RootNode : ROOT  ( 2 children) \n"
                         "\t\tTransformationNode : universum  ( 1 children) \n"
                         "\t\t\tHitNode : cue  ( 0 children) \n"
                         "\t\tObjectNode : moon  ( 0 children) \n"
                         "   ----- \n"
                         "\t\tCameraNode : main cam  ( 0 children) \n");
}
