#include "app/window.h"
#include "platform/glfw_compat.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/root_node.h"
#include "view/global_view_plane_move_camera.h"
#include "view/third_person_race_camera.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>

using scenegraph::CameraNode;
using scenegraph::RootNode;

namespace {

glm::mat4 rotation(float degrees, glm::vec3 axis) {
    return glm::rotate(glm::mat4(1.0f), glm::radians(degrees), axis);
}

void expectNear(const glm::mat4& actual, const glm::mat4& expected) {
    for (int c = 0; c < 4; ++c) {
        for (int r = 0; r < 4; ++r) {
            EXPECT_NEAR(actual[c][r], expected[c][r], 1e-5f)
                << "element [" << c << "][" << r << "]";
        }
    }
}

// Every test gets a fresh root with an 800 x 600 window and scripted input.
class CameraTest : public ::testing::Test {
protected:
    void SetUp() override {
        RootNode::destroyInstance();
        Window* window = RootNode::getInstance()->getWindow();
        window->width = 800;
        window->height = 600;
        moveMouse(400, 300);
        platform::useScriptedInput(&input);
    }
    void TearDown() override {
        platform::useScriptedInput(nullptr);
        RootNode::destroyInstance();
    }

    void moveMouse(int x, int y) {
        input.mouseX = x;
        input.mouseY = y;
    }

    platform::InputState input;
};

} // namespace

TEST_F(CameraTest, MouseLookAngleIsProportionalToOffsetAndOnlyWhenMoved) {
    auto* cam = new view::GlobalViewPlaneMoveCamera();
    CameraNode node("main cam", cam);
    EXPECT_EQ(node.mouseX_old, 400);
    EXPECT_EQ(node.mouseY_old, 300);

    moveMouse(600, 150); // half-way to the right edge, half-way to the top
    node.cameraUpdate();
    expectNear(cam->rotY, rotation(15.0f, {0, 1, 0}));
    expectNear(cam->rotX, rotation(-15.0f, {1, 0, 0}));

    // The mouse rests away from the centre: the game turned the camera back
    // and nothing undoes that this frame.
    cam->rotate(0.0f, 1, 1, 0);
    node.cameraUpdate();
    expectNear(cam->rotY, glm::mat4(1.0f));
    expectNear(cam->rotX, glm::mat4(1.0f));
}

TEST_F(CameraTest, ViewOrderIsRotationAfterTranslation) {
    auto* cam = new view::GlobalViewPlaneMoveCamera();
    CameraNode node("main cam", cam);
    cam->setPosition(glm::vec3(0, 0, -10));
    moveMouse(800, 300); // right edge: 30 degrees about y
    node.cameraUpdate();
    // An ordinary node would sit at (0,0,-10); the view order turns the
    // translation too.
    const glm::vec3 eyeOffset = glm::vec3((*cam->viewMatrix())[3]);
    EXPECT_NEAR(eyeOffset.x, -10.0f * std::sin(glm::radians(30.0f)), 1e-4f);
    EXPECT_NEAR(eyeOffset.z, -10.0f * std::cos(glm::radians(30.0f)), 1e-4f);
}

TEST_F(CameraTest, KeysMoveAlongTheViewAxesDFirst) {
    auto* cam = new view::GlobalViewPlaneMoveCamera();
    CameraNode node("main cam", cam);
    input.keys[GLFW_KEY_D] = 1;
    input.keys[GLFW_KEY_W] = 1;
    node.cameraUpdate();
    glm::vec3 position;
    cam->getPosition(position);
    EXPECT_EQ(position, glm::vec3(-1, 0, 1));

    input.keys[GLFW_KEY_D] = 0;
    input.keys[GLFW_KEY_W] = 0;
    input.keys[GLFW_KEY_X] = 1;
    node.cameraUpdate();
    cam->getPosition(position);
    EXPECT_EQ(position, glm::vec3(-1, 1, 1));
}

TEST_F(CameraTest, KeyMoveFollowsTheTurnedAxes) {
    auto* cam = new view::GlobalViewPlaneMoveCamera();
    CameraNode node("main cam", cam);
    cam->rotate(90.0f, 0, 1, 0);
    cam->updateFromParent(0.0, glm::mat4(1.0f));
    input.keys[GLFW_KEY_W] = 1;
    input.keys[GLFW_KEY_A] = 1;
    node.cameraUpdate();
    glm::vec3 position;
    cam->getPosition(position);
    // The axes are the rows of the view rotation (its inverse turns them back
    // into world space): after a quarter turn about y, back points along -x
    // and right along +z.
    EXPECT_NEAR(position.x, -1.0f, 1e-5f);
    EXPECT_NEAR(position.y, 0.0f, 1e-5f);
    EXPECT_NEAR(position.z, 1.0f, 1e-5f);
}

TEST_F(CameraTest, RaceCameraSkipsZeroAnglesAndLeavesChildrenAlone) {
    auto* cam = new view::ThirdPersonRaceCamera();
    CameraNode node("racing cam", cam);
    auto* rider = new scenegraph::TransformationNode("rider", "TransformationNode");
    cam->addChild(rider);
    rider->globalModelMat = glm::mat4(2.0f);
    cam->rotate(40.0f, 0, 1, 0);

    moveMouse(400, 450); // straight down: dx 0, dy 15
    node.cameraUpdate();
    expectNear(cam->rotY, rotation(40.0f, {0, 1, 0}));
    expectNear(cam->rotX, rotation(15.0f, {1, 0, 0}));
    EXPECT_EQ(rider->globalModelMat, glm::mat4(2.0f));
}

TEST_F(CameraTest, FreeCameraCarriesItsChildren) {
    auto* cam = new view::GlobalViewPlaneMoveCamera();
    CameraNode node("main cam", cam);
    auto* crosshair = new scenegraph::TransformationNode("crosshair", "TransformationNode");
    cam->addChild(crosshair);
    cam->setPosition(glm::vec3(0, 0, -4));
    node.cameraUpdate();
    EXPECT_FLOAT_EQ(crosshair->globalModelMat[3][2], -4.0f);
}

TEST_F(CameraTest, TinyWindowsGiveFiniteAngles) {
    for (int size : {0, 1, 2}) {
        Window* window = RootNode::getInstance()->getWindow();
        window->width = size;
        window->height = size;
        auto* cam = new view::GlobalViewPlaneMoveCamera();
        CameraNode node("main cam", cam);
        moveMouse(5, 7);
        node.cameraUpdate();
        for (int c = 0; c < 4; ++c) {
            for (int r = 0; r < 4; ++r) {
                EXPECT_TRUE(std::isfinite(cam->globalModelMat[c][r])) << "size " << size;
            }
        }
    }
}

TEST_F(CameraTest, ResetRecentresTheMouseAndKeepsMatrices) {
    auto* cam = new view::GlobalViewPlaneMoveCamera();
    CameraNode node("main cam", cam, 7);
    node.setPosition(glm::vec3(1, 2, 3));
    moveMouse(10, 20);
    node.cameraUpdate();
    node.reset();
    EXPECT_EQ(node.mouseX_old, 400);
    EXPECT_EQ(node.mouseY_old, 300);
    EXPECT_EQ(node.count, 0);
    glm::vec3 position;
    node.getPosition(position);
    EXPECT_EQ(position, glm::vec3(1, 2, 3));
}
