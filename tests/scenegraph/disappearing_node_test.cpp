#include "draw_log.h"
#include "support/glm_expect.h"

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
        auto* node = adopt(parent, new DisappearingNode("cueSystem"));
        node->localmodelMat = glm::translate(glm::mat4(1.0f), glm::vec3(0, 0, -distance));
        adopt(*node, new LoggingNode("cue", &log));
        parent.update(0.0);
        drawOnce(parent);
        return !log.empty();
    }
};

} // namespace

// The move is applied again every frame, along the node's own axes once it
// has turned; the start time is taken once and status requests are
// overridden by an update.
TEST_F(DisappearingNodeTest, EachUpdateMovesAgainTakesTheStartTimeOnceAndOverridesRequests) {
    DisappearingNode node("cueSystem");
    EXPECT_EQ(node.startTime, -1.0);
    node.setPosition(glm::vec3(1, 0, 0));
    node.status = scenegraph::STATUS_REMOVE;
    node.updateFromParent(0.0, glm::mat4(1.0f));
    EXPECT_EQ(node.getStatus(), scenegraph::STATUS_ACTIVE);
    EXPECT_FLOAT_EQ(node.globalModelMat[3][0], 1.0f);
    const double first = node.startTime;
    EXPECT_GE(first, 0.0);
    for (float expectedX : {2.0f, 3.0f}) {
        node.updateFromParent(0.0, glm::mat4(1.0f));
        EXPECT_FLOAT_EQ(node.globalModelMat[3][0], expectedX);
    }
    EXPECT_EQ(node.startTime, first);

    // One more step along x, then the node has turned and steps along y.
    node.rotMat = glm::rotate(glm::mat4(1.0f), glm::radians(90.0f), glm::vec3(0, 0, 1));
    node.updateFromParent(0.0, glm::mat4(1.0f));
    node.updateFromParent(0.0, glm::mat4(1.0f));
    EXPECT_TRUE(testsupport::near(glm::vec3(node.globalModelMat[3]), glm::vec3(4, 1, 0)));
}

TEST_F(DisappearingNodeTest, ZCullingKeepsTheWindowDepthRangeOfTheActiveCameraOnly) {
    RootNode* root = RootNode::getInstance();
    root->cullingMode = scenegraph::CULL_SCENEGRAPH_Z;
    EXPECT_TRUE(drawnAt(350.0f)) << "no active camera yet";
    cullOnZFromOrigin();
    EXPECT_TRUE(drawnAt(300.0f));
    EXPECT_FALSE(drawnAt(350.0f));
    EXPECT_TRUE(drawnAt(1.0f));
    EXPECT_FALSE(drawnAt(0.5f));
    EXPECT_FALSE(drawnAt(-10.0f)); // behind the camera
    for (int mode : {20, 21, 22, 24}) {
        root->cullingMode = mode;
        EXPECT_TRUE(drawnAt(350.0f)) << "culling mode " << mode;
    }
    // The range follows the active camera's view.
    root->cullingMode = scenegraph::CULL_SCENEGRAPH_Z;
    scenegraph::CameraNode* camera = root->activeCam;
    camera->getCam()->setPosition(glm::vec3(0, 0, 100)); // moves the world 100 closer
    camera->cameraUpdate();
    EXPECT_TRUE(drawnAt(350.0f));
}
