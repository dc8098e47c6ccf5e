// CPU time per frame that the particle manager costs the game's main thread
// with the game's load: the background field (10000 impostors), four
// explosions of 1000 particles and five markers of 5, all listed at once.
//
// update: ageing every system, which for the background also renders the
//   spinning impostor sphere into its frame buffer.
// draw: both particle passes; the markers re-upload their 5 points each.
// The GL work itself is finished outside the timed region (glFinish paused),
// so the figures are what the main thread spends handing the work over.
//
// Run from anywhere under Xvfb: bench_particles (it reads the run folder).

#include "app/window.h"
#include "collection/shader_collection.h"
#include "platform/glfw_compat.h"
#include "render/light.h"
#include "render/particle_manager.h"
#include "render/particle_system.h"
#include "scenegraph/root_node.h"

#include <benchmark/benchmark.h>

#include <glm/gtc/matrix_transform.hpp>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr double kFrameTime = 1.0 / 60.0;

// The window, the programs and the game's particle systems, made once.
struct ParticleLoad {
    std::vector<std::unique_ptr<ParticleSystem>> systems;
    std::vector<std::unique_ptr<scenegraph::TransformationNode>> cues;
    glm::mat4 view = glm::mat4(1.0f);
    glm::mat4 projection =
        glm::perspective(glm::radians(20.0f), float(kWidth) / float(kHeight), 1.0f, 3.0f);
    GLuint vertexArray = 0;
    bool ready = false;

    ParticleLoad() {
        std::filesystem::current_path(CUEFLIGHT_RUN_DIR);
        if (platform::glfwInit() != 1) {
            return;
        }
        platform::glfwOpenWindowHint(platform::GLFW_OPENGL_VERSION_MAJOR, 3);
        platform::glfwOpenWindowHint(platform::GLFW_OPENGL_VERSION_MINOR, 2);
        platform::glfwOpenWindowHint(GLFW_OPENGL_FORWARD_COMPAT, 1);
        if (platform::glfwOpenWindow(kWidth, kHeight, 0, 0, 0, 0, 24, 8, platform::GLFW_WINDOW) !=
            1) {
            return;
        }
        glewExperimental = GL_TRUE;
        glewInit();
        glGetError();
        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
        glEnable(GL_BLEND);
        Window* window = scenegraph::RootNode::getInstance()->getWindow();
        window->width = kWidth;
        window->height = kHeight;
        auto* shaders = collection::ShaderCollection::getInstance();
        shaders->addProgram(2, "light");
        shaders->addProgram(3, "ps");
        shaders->locateVariables();
        Light::getInstance()->update(glm::vec3(-5.0f, 5.0f, -15.0f), 0.0);
        buildSystems();
        ready = shaders->getProgram(3)->isLinked();
    }

    void buildSystems() {
        auto* manager = ParticleManager::getInstance();
        systems.push_back(
            std::make_unique<ParticleSystem>(0, 10000, " ", kBackgroundParticles, glm::vec3(0)));
        manager->add(systems.back().get(), "bg_imp_system");
        for (int i = 0; i < 4; ++i) {
            systems.push_back(std::make_unique<ParticleSystem>(
                1, 1000, "Sprites/splosion_part_sheet4.tga", kExplosionParticles,
                glm::vec3(float(i) - 2.0f, 0.0f, -30.0f)));
            manager->add(systems.back().get(), "lolsplosion");
        }
        for (int i = 0; i < 5; ++i) {
            cues.push_back(std::make_unique<scenegraph::TransformationNode>("cue", "obj"));
            cues.back()->setPosition(glm::vec3(float(i) * 2.0f - 4.0f, 1.0f, -40.0f));
            cues.back()->update(0.0);
            systems.push_back(std::make_unique<ParticleSystem>(1, 5, "Sprites/marker.tga",
                                                               kMarkerParticles, glm::vec3(0)));
            systems.back()->target = cues.back().get();
            systems.back()->active = true;
            manager->add(systems.back().get(), "targetingsystem");
        }
    }

    // Keeps the explosions and markers mid-life however long the run is.
    void keepAlive() {
        for (auto& system : systems) {
            system->time = 0.5f;
        }
    }

    void drawBothPasses() {
        auto* manager = ParticleManager::getInstance();
        ShaderProgram* ps = collection::ShaderCollection::getInstance()->getProgram(3);
        manager->draw(&view, &projection, ps, 0, 2, 12);
        glDisable(GL_DEPTH_TEST);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE);
        manager->draw(&view, &projection, ps, 1, 2, 12);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        glEnable(GL_DEPTH_TEST);
    }
};

ParticleLoad& load() {
    static ParticleLoad instance;
    return instance;
}

void finishGLWork(benchmark::State& state) {
    state.PauseTiming();
    glFinish();
    load().keepAlive();
    state.ResumeTiming();
}

void BM_ManagerUpdate(benchmark::State& state) {
    if (!load().ready) {
        state.SkipWithError("no GL context or no run folder: run under Xvfb after a build");
        return;
    }
    for (auto _ : state) {
        ParticleManager::getInstance()->update(kFrameTime);
        finishGLWork(state);
    }
}
BENCHMARK(BM_ManagerUpdate)->Unit(benchmark::kMicrosecond);

void BM_ManagerDrawBothPasses(benchmark::State& state) {
    if (!load().ready) {
        state.SkipWithError("no GL context or no run folder: run under Xvfb after a build");
        return;
    }
    for (auto _ : state) {
        load().drawBothPasses();
        finishGLWork(state);
    }
}
BENCHMARK(BM_ManagerDrawBothPasses)->Unit(benchmark::kMicrosecond);

// The five markers alone: each re-initialises its 5 points on its cue and
// uploads them again before its draw call; the points cost the GL next to
// nothing, so this is the hand-over itself.
void BM_MarkerDraws(benchmark::State& state) {
    if (!load().ready) {
        state.SkipWithError("no GL context or no run folder: run under Xvfb after a build");
        return;
    }
    ShaderProgram* ps = collection::ShaderCollection::getInstance()->getProgram(3);
    for (auto _ : state) {
        for (std::size_t i = load().systems.size() - 5; i < load().systems.size(); ++i) {
            load().systems[i]->draw(&load().view, &load().projection, ps, 1, 2, 12);
        }
        finishGLWork(state);
    }
}
BENCHMARK(BM_MarkerDraws)->Unit(benchmark::kMicrosecond);

// The whole per-frame cost, GL work included, for comparison.
void BM_WholeFrameWithGLWork(benchmark::State& state) {
    if (!load().ready) {
        state.SkipWithError("no GL context or no run folder: run under Xvfb after a build");
        return;
    }
    for (auto _ : state) {
        ParticleManager::getInstance()->update(kFrameTime);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        load().drawBothPasses();
        glFinish();
        state.PauseTiming();
        load().keepAlive();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_WholeFrameWithGLWork)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BENCHMARK_MAIN();
