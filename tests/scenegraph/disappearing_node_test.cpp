#include "draw_log.h"

#include "app/window.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/disappearing_node.h"
#include "scenegraph/root_node.h"
#include "view/space_ship_camera.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

using scenegraph::DisappearingNode;
using scenegraph::RootNode;
using Log = std::vector<std::string>;

namespace {

class DisappearingNodeTest : public ::testing::Test {
protected:
    void SetUp() override { RootNode::destroyInstance(); }
    void TearDown() override { RootNode::destroyInstance(); }

    // A camera at the origin looking down -z, made active, with Z culling on.
    static void cullOnZFromOrigin() {
        RootNode* root = RootNode::getInstance();
        root->addCamera(new scenegraph::CameraNode("main cam", new view::SpaceShipCamera()));
        root->setActiveCamera("main cam");
        root->cullingMode = scenegraph::CULL_SCENEGRAPH_Z;
    }

    // Parks a node `distance` units in front of the camera and draws the
    // parent once; returns whether the node was drawn.
    static bool drawnAt(float distance) {
        Log log;
        scenegraph::TransformationNode parent("parent", "TransformationNode");
        auto* node = new DisappearingNode("cueSystem");
        node->localmodelMat = glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, -distance));
        node->addChild(new LoggingNode("cue", &log));
        parent.addChild(node);
        parent.update(0.0);
        drawOnce(parent);
        return !log.empty();
    }
};

} // namespace

TEST_F(DisappearingNodeTest, TranslationIsAppliedAgainEveryFrame) {
    DisappearingNode node("cueSystem");
    node.setPosition(glm::vec3(1, 0, 0));
    for (float expectedX : {1.0f, 2.0f, 3.0f}) {
        node.updateFromParent(0.0, glm::mat4(1.0f));
        EXPECT_FLOAT_EQ(node.globalModelMat[3][0], expectedX);
    }
}

TEST_F(DisappearingNodeTest, MovesAlongItsOwnTurnedAxes) {
    DisappearingNode node("cueSystem");
    node.setPosition(glm::vec3(1, 0, 0));
    node.rotMat = glm::rotate(glm::mat4(1.0f), glm::radians(90.0f), glm::vec3(0, 0, 1));
    node.updateFromParent(0.0, glm::mat4(1.0f));
    node.updateFromParent(0.0, glm::mat4(1.0f));
    // First step along x, then the node has turned and steps along y.
    EXPECT_NEAR(node.globalModelMat[3][0], 1.0f, 1e-5f);
    EXPECT_NEAR(node.globalModelMat[3][1], 1.0f, 1e-5f);
}

TEST_F(DisappearingNodeTest, StartTimeIsTakenOnceAndStatusRequestsAreOverriddenByAnUpdate) {
    DisappearingNode node("cueSystem");
    EXPECT_EQ(node.startTime, -1.0);
    node.status = scenegraph::STATUS_REMOVE;
    node.updateFromParent(0.0, glm::mat4(1.0f));
    EXPECT_EQ(node.getStatus(), scenegraph::STATUS_ACTIVE);
    const double first = node.startTime;
    EXPECT_GE(first, 0.0);
    node.updateFromParent(0.0, glm::mat4(1.0f));
    EXPECT_EQ(node.startTime, first);
}

TEST_F(DisappearingNodeTest, CullsOutsideTheWindowDepthRangeInclusive) {
    cullOnZFromOrigin();
    EXPECT_TRUE(drawnAt(300.0f));
    EXPECT_FALSE(drawnAt(350.0f));
    EXPECT_TRUE(drawnAt(1.0f));
    EXPECT_FALSE(drawnAt(0.5f));
    EXPECT_FALSE(drawnAt(-10.0f)); // behind the camera
    // The range follows the active camera's view.
    scenegraph::CameraNode* camera = RootNode::getInstance()->activeCam;
    camera->getCam()->setPosition(glm::vec3(0, 0, 100)); // moves the world 100 closer
    camera->cameraUpdate();
    EXPECT_TRUE(drawnAt(350.0f));
}

TEST_F(DisappearingNodeTest, OtherCullingModesOrNoCameraDrawFarNodes) {
    RootNode* root = RootNode::getInstance();
    root->cullingMode = scenegraph::CULL_SCENEGRAPH_Z;
    EXPECT_TRUE(drawnAt(350.0f)); // no active camera yet
    cullOnZFromOrigin();
    for (int mode : {20, 21, 22, 24}) {
        root->cullingMode = mode;
        EXPECT_TRUE(drawnAt(350.0f)) << "culling mode " << mode;
    }
}
