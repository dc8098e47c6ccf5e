#include "support/glm_expect.h"

#include "app/window.h"
#include "platform/glfw_compat.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/root_node.h"
#include "view/global_view_plane_move_camera.h"
#include "view/third_person_race_camera.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

using scenegraph::CameraNode;
using scenegraph::RootNode;
using testsupport::near;

namespace {

glm::mat4 rotation(float degrees, glm::vec3 axis) {
    return glm::rotate(glm::mat4(1.0f), glm::radians(degrees), axis);
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
    EXPECT_EQ(std::pair(node.mouseX_old, node.mouseY_old), std::pair(400, 300));

    moveMouse(600, 150); // half-way to the right edge, half-way to the top
    node.cameraUpdate();
    EXPECT_TRUE(near(cam->rotY, rotation(15.0f, {0, 1, 0})));
    EXPECT_TRUE(near(cam->rotX, rotation(-15.0f, {1, 0, 0})));

    // The mouse rests away from the centre: the game turned the camera back
    // and nothing undoes that this frame.
    cam->rotate(0.0f, 1, 1, 0);
    node.cameraUpdate();
    EXPECT_TRUE(near(cam->rotY, glm::mat4(1.0f)));
    EXPECT_TRUE(near(cam->rotX, glm::mat4(1.0f)));
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

TEST_F(CameraTest, KeysMoveAlongTheViewAxesDFirstAndFollowTheTurnedAxes) {
    auto* cam = new view::GlobalViewPlaneMoveCamera();
    CameraNode node("main cam", cam);
    input.keys[GLFW_KEY_D] = 1;
    input.keys[GLFW_KEY_W] = 1;
    node.cameraUpdate();
    glm::vec3 position;
    cam->getPosition(position);
    EXPECT_EQ(position, glm::vec3(-1, 0, 1));

    input.keys = {};
    input.keys[GLFW_KEY_X] = 1;
    node.cameraUpdate();
    cam->getPosition(position);
    EXPECT_EQ(position, glm::vec3(-1, 1, 1));

    cam->setPosition(glm::vec3(0.0f));
    cam->rotate(90.0f, 0, 1, 0);
    cam->updateFromParent(0.0, glm::mat4(1.0f));
    input.keys = {};
    input.keys[GLFW_KEY_W] = 1;
    input.keys[GLFW_KEY_A] = 1;
    node.cameraUpdate();
    cam->getPosition(position);
    // The axes are the rows of the view rotation (its inverse turns them back
    // into world space): after a quarter turn about y, back points along -x
    // and right along +z.
    EXPECT_TRUE(near(position, glm::vec3(-1, 0, 1)));
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
    EXPECT_TRUE(near(cam->rotY, rotation(40.0f, {0, 1, 0})));
    EXPECT_TRUE(near(cam->rotX, rotation(15.0f, {1, 0, 0})));
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
        const float* m = glm::value_ptr(cam->globalModelMat);
        EXPECT_TRUE(std::all_of(m, m + 16, [](float v) { return std::isfinite(v); }))
            << "size " << size;
    }
}

TEST_F(CameraTest, ResetRecentresTheMouseAndKeepsMatrices) {
    auto* cam = new view::GlobalViewPlaneMoveCamera();
    CameraNode node("main cam", cam, 7);
    node.setPosition(glm::vec3(1, 2, 3));
    moveMouse(10, 20);
    node.cameraUpdate();
    node.reset();
    EXPECT_EQ(std::tuple(node.mouseX_old, node.mouseY_old, node.count), std::tuple(400, 300, 0));
    glm::vec3 position;
    node.getPosition(position);
    EXPECT_EQ(position, glm::vec3(1, 2, 3));
}
