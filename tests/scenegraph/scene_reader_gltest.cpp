#include "app/window.h"
#include "game/path.h"
#include "model/obj.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/hit_node.h"
#include "scenegraph/root_node.h"
#include "scenegraph/scene_reader.h"
#include "support/gl_context.h"
#include "util/color_counter.h"
#include "view/global_view_plane_move_camera.h"
#include "view/space_ship_camera.h"
#include "view/third_person_race_camera.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <tuple>
#include <vector>

using scenegraph::Node;
using scenegraph::ObjectNode;
using scenegraph::RootNode;

namespace {

// The level's flight path, fifty points a segment.
std::vector<glm::vec3> sampledPath() {
    const game::PathPoints controlPoints = game::pathControlPoints();
    std::vector<glm::vec3> points;
    for (long segment = 0; segment < game::kPathPointCount; ++segment) {
        for (int step = 0; step < 50; ++step) {
            points.emplace_back(game::splinePoint(controlPoints, segment, float(step) / 50.0f));
        }
    }
    return points;
}

void collectObjects(Node& node, std::vector<ObjectNode*>& objects) {
    for (Node* child : node.children) {
        if (auto* object = dynamic_cast<ObjectNode*>(child)) {
            objects.push_back(object);
        }
        collectObjects(*child, objects);
    }
}

std::vector<std::string> childSummary(Node& node) {
    std::vector<std::string> summary;
    for (Node* child : node.children) {
        summary.push_back(child->getType() + " " + child->getName() + " " +
                          std::to_string(child->getChildCount(false)));
    }
    return summary;
}

// Loads the shipped scene from the run folder, where its models and
// textures are, with a fresh root.
class ShippedSceneTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        testsupport::requireGLContext();
        RootNode::destroyInstance();
        util::ColorCounter::destroyInstance();
        const std::filesystem::path previous = std::filesystem::current_path();
        std::filesystem::current_path(CUEFLIGHT_RUN_DIR);
        testing::internal::CaptureStderr();
        scenegraph::loadScene(CUEFLIGHT_SOURCE_DIR "/data/Scenes/testscene.scene");
        errors = new std::string(testing::internal::GetCapturedStderr());
        std::filesystem::current_path(previous);
    }
    static void TearDownTestSuite() {
        RootNode::destroyInstance();
        delete errors;
    }

    RootNode& root() { return *RootNode::getInstance(); }
    Node& universum() {
        Node* found = root().findNode("universum");
        EXPECT_NE(found, nullptr);
        return found != nullptr ? *found : root();
    }

    static std::string* errors;
};

std::string* ShippedSceneTest::errors = nullptr;

} // namespace

TEST_F(ShippedSceneTest, LoadsWithoutAnErrorLineItsWindowAndCameras) {
    EXPECT_EQ(*errors, "");
    ASSERT_NE(root().window, nullptr);
    const Window& window = *root().window;
    EXPECT_EQ(std::tuple(window.mode, window.width, window.height), std::tuple(65537, 1024, 768));

    ASSERT_EQ(root().cameras.size(), 3u);
    EXPECT_EQ(root().cameras[0]->getName(), "main cam");
    EXPECT_NE(dynamic_cast<view::GlobalViewPlaneMoveCamera*>(root().cameras[0]->getCam()), nullptr);
    EXPECT_EQ(root().cameras[1]->getName(), "spaceship cam");
    EXPECT_NE(dynamic_cast<view::SpaceShipCamera*>(root().cameras[1]->getCam()), nullptr);
    EXPECT_EQ(root().cameras[2]->getName(), "racing cam");
    EXPECT_NE(dynamic_cast<view::ThirdPersonRaceCamera*>(root().cameras[2]->getCam()), nullptr);
    EXPECT_EQ(root().activeCam, root().cameras[0]);
    EXPECT_EQ(root().activeCamName, "main cam");
}

TEST_F(ShippedSceneTest, RootHoldsTheWorldAndTheSpecialNodes) {
    EXPECT_EQ(root().getName(), "root");
    EXPECT_EQ(childSummary(root()),
              (std::vector<std::string>{"TransformationNode universum 9", "ObjectNode crosshair 0",
                                        "ObjectNode moonnode 0", "ObjectNode planenode 0"}));
    const std::map<std::string, std::string> models = {{"crosshair", "Models/crosshair.obj"},
                                                       {"moonnode", "Models/moon.obj"},
                                                       {"planenode", "Models/plane.obj"}};
    for (const auto& [name, objPath] : models) {
        auto* node = dynamic_cast<ObjectNode*>(root().findNode(name));
        ASSERT_NE(node, nullptr) << name;
        ASSERT_NE(node->getGeomObj(), nullptr) << name;
        EXPECT_EQ(node->getGeomObj()->getObjpath(), objPath);
        EXPECT_EQ(node->getDrawStatus(), 1) << name << " must stay on for its model to show";
        EXPECT_EQ(node->getGeomObj()->getDrawStatus(), 0) << name << " is off until a pass";
    }
}

TEST_F(ShippedSceneTest, EveryModelIsLoadedWithItsTextureAndTheBonusCanBePicked) {
    std::vector<ObjectNode*> objects;
    collectObjects(root(), objects);
    ASSERT_EQ(objects.size(), 28u);
    EXPECT_EQ(universum().getChildCount(true), 48) << "every node of the world is read";
    for (ObjectNode* object : objects) {
        model::OBJ* model = object->getGeomObj();
        ASSERT_NE(model, nullptr) << object->getName();
        EXPECT_GT(model->nrFaces, 0) << object->getName() << " " << model->getObjpath();
        EXPECT_GT(model->nrTexLevels, 0) << object->getName() << " " << model->getTexturepath();
    }
    // The bonus target can be picked.
    auto* bonus = dynamic_cast<scenegraph::HitNode*>(universum().findNode("bonus beacon"));
    ASSERT_NE(bonus, nullptr);
    EXPECT_TRUE(bonus->hitable);
    EXPECT_NE(bonus->color, glm::vec3(0.0f));
    EXPECT_EQ(bonus->getGeomObj()->color, bonus->color / 255.0f);
}

TEST_F(ShippedSceneTest, WorldPassesByTheFlightPathWithoutBlockingIt) {
    universum().update(0.0);
    const std::vector<glm::vec3> path = sampledPath();
    std::vector<ObjectNode*> objects;
    collectObjects(universum(), objects);
    for (ObjectNode* object : objects) {
        const glm::mat4& placement = object->getGeomObj()->globalModelMat;
        const glm::vec3 centre(placement[3]);
        const float size = glm::length(glm::vec3(placement[0]));
        float nearest = 1e9f;
        for (const glm::vec3& point : path) {
            nearest = std::min(nearest, glm::distance(point, centre));
        }
        EXPECT_GT(nearest - size, 30.0f) << object->getName() << " blocks the path";
        EXPECT_LT(nearest, 600.0f) << object->getName() << " is out of sight";
    }
}
