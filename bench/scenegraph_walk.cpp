// One frame's update and draw walk over a tree shaped like the game's scene:
// the root, a "universum" node with 200 "cueSystem" -> "cue" pairs, and three
// cameras. The geometry draws nothing, so the figures are the walk alone.

#include "model/obj.h"
#include "scenegraph/camera_node.h"
#include "scenegraph/disappearing_node.h"
#include "scenegraph/hit_node.h"
#include "scenegraph/root_node.h"
#include "util/color_counter.h"
#include "view/global_view_plane_move_camera.h"
#include "view/space_ship_camera.h"
#include "view/third_person_race_camera.h"

#include <benchmark/benchmark.h>

#include <glm/gtc/matrix_transform.hpp>

#include <memory>
#include <vector>

namespace {

constexpr int kCues = 200;

class SilentObj : public model::OBJ {
public:
    SilentObj() : OBJ(nullptr) {}
    void draw(const glm::mat4*, const glm::mat4*, ShaderProgram*, int, int) override {}
};

// The scene lives in the root singleton; the geometries are kept here, as the
// level keeps them in the game.
struct Scene {
    std::vector<std::unique_ptr<SilentObj>> geometries;
    int nodesWalked = 0;

    explicit Scene(int cullingMode) {
        scenegraph::RootNode::destroyInstance();
        util::ColorCounter::destroyInstance();
        auto* root = scenegraph::RootNode::getInstance();
        root->cullingMode = cullingMode;
        root->addCamera(
            new scenegraph::CameraNode("main cam", new view::GlobalViewPlaneMoveCamera()));
        root->addCamera(new scenegraph::CameraNode("spaceship cam", new view::SpaceShipCamera()));
        root->addCamera(
            new scenegraph::CameraNode("racing cam", new view::ThirdPersonRaceCamera()));
        root->setActiveCamera("main cam");

        auto* universum = new scenegraph::TransformationNode("universum", "TransformationNode");
        root->addChild(universum);
        for (int i = 0; i < kCues; ++i) {
            auto* cueSystem = new scenegraph::DisappearingNode("cueSystem");
            cueSystem->onHit = true;
            cueSystem->localmodelMat =
                glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, 0.0f, -2.0f * float(i)));
            geometries.push_back(std::make_unique<SilentObj>());
            cueSystem->addChild(new scenegraph::HitNode("cue", geometries.back().get()));
            universum->addChild(cueSystem);
        }
        // root, universum, and per cue its system, hit node and geometry
        nodesWalked = 2 + 3 * kCues;
    }

    ~Scene() {
        scenegraph::RootNode::destroyInstance();
        util::ColorCounter::destroyInstance();
    }
};

void reportPerNode(benchmark::State& state, int nodes) {
    state.counters["ns_per_node"] =
        benchmark::Counter(double(state.iterations()) * nodes,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_UpdateWalk(benchmark::State& state) {
    Scene scene(int(state.range(0)));
    auto* root = scenegraph::RootNode::getInstance();
    for (auto _ : state) {
        root->update(0.0);
    }
    reportPerNode(state, scene.nodesWalked);
}

void BM_DrawWalk(benchmark::State& state) {
    Scene scene(int(state.range(0)));
    auto* root = scenegraph::RootNode::getInstance();
    root->update(0.0);
    const glm::mat4 identity(1.0f);
    for (auto _ : state) {
        root->draw(&identity, &identity, nullptr, root->textureFilterMode, root->mipmapMode);
    }
    reportPerNode(state, scene.nodesWalked);
}

void BM_Frame(benchmark::State& state) {
    Scene scene(int(state.range(0)));
    auto* root = scenegraph::RootNode::getInstance();
    const glm::mat4 identity(1.0f);
    for (auto _ : state) {
        root->update(0.0);
        root->draw(&identity, &identity, nullptr, root->textureFilterMode, root->mipmapMode);
    }
    reportPerNode(state, scene.nodesWalked);
}

} // namespace

// Culling mode 20 (nobody culls) and 23 (the cue systems cull on depth).
BENCHMARK(BM_UpdateWalk)->Arg(scenegraph::CULL_NONE)->Arg(scenegraph::CULL_SCENEGRAPH_Z);
BENCHMARK(BM_DrawWalk)->Arg(scenegraph::CULL_NONE)->Arg(scenegraph::CULL_SCENEGRAPH_Z);
BENCHMARK(BM_Frame)->Arg(scenegraph::CULL_NONE)->Arg(scenegraph::CULL_SCENEGRAPH_Z);

BENCHMARK_MAIN();
