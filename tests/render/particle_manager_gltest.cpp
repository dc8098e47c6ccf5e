#include "render/particle_gl_fixture.h"

#include "scenegraph/camera_node.h"
#include "view/global_view_plane_move_camera.h"

#include <algorithm>
#include <numeric>

using particletest::changedPixels;
using particletest::kHeight;
using particletest::kSheet;
using particletest::kWidth;
using particletest::ParticleGLTest;

namespace {

std::vector<ParticleSystem*> listed() {
    std::vector<ParticleSystem*> systems;
    for (const ParticleManager::Entry& entry : ParticleManager::getInstance()->getEntries()) {
        systems.push_back(entry.system);
    }
    return systems;
}

} // namespace

TEST_F(ParticleGLTest, AddRestartsTheAgeAndMovesOnlyActiveSystemsToTheirTarget) {
    ParticleSystem* explosion = make(1, 3, kSheet, kExplosionParticles, glm::vec3(-2, 2, -10));
    scenegraph::TransformationNode cue("cue", "obj");
    cue.setPosition(glm::vec3(5.0f, 6.0f, 7.0f));
    cue.update(0.0);
    explosion->target = &cue;
    explosion->time = 1.3f;
    auto* manager = ParticleManager::getInstance();

    EXPECT_TRUE(manager->add(explosion, "lolsplosion"));
    EXPECT_FLOAT_EQ(explosion->time, 0.0f);
    EXPECT_EQ(explosion->position, glm::vec3(-2, 2, -10)) << "not active yet";

    explosion->active = true;
    manager->add(explosion, "lolsplosion");
    EXPECT_EQ(explosion->position, glm::vec3(5.0f, 6.0f, 7.0f));
    EXPECT_EQ(explosion->getParticles()[2].startPosition, glm::vec3(5.0f, 6.0f, 7.0f));
    ASSERT_EQ(manager->getEntries().size(), 2u);
    EXPECT_EQ(manager->getEntries()[0].name, "lolsplosion");
}

TEST_F(ParticleGLTest, ExplosionStaysForTwoSecondsAndMarkerForOneAndAHalf) {
    ParticleSystem* explosion = make(1, 3, kSheet, kExplosionParticles, glm::vec3(0.0f));
    ParticleSystem* marker = make(1, 5, kSheet, kMarkerParticles, glm::vec3(0.0f));
    auto* manager = ParticleManager::getInstance();
    manager->add(explosion, "lolsplosion");
    manager->add(marker, "targetingsystem");

    manager->update(1.5);
    EXPECT_EQ(listed(), (std::vector<ParticleSystem*>{explosion, marker})) << "1.5 s exactly";
    manager->update(0.25);
    EXPECT_EQ(listed(), (std::vector<ParticleSystem*>{explosion}));
    EXPECT_FLOAT_EQ(marker->time, 0.0f) << "a finished system starts from 0 again";
    manager->update(0.25);
    EXPECT_EQ(listed(), (std::vector<ParticleSystem*>{explosion})) << "2.0 s exactly";
    manager->update(0.001);
    EXPECT_TRUE(listed().empty());
}

TEST_F(ParticleGLTest, RemovalWhileWalkingStillAgesTheEntryThatMovesUp) {
    ParticleSystem* first = make(1, 1, kSheet, kExplosionParticles, glm::vec3(0.0f));
    ParticleSystem* marker = make(1, 1, kSheet, kMarkerParticles, glm::vec3(0.0f));
    ParticleSystem* last = make(1, 1, kSheet, kExplosionParticles, glm::vec3(0.0f));
    auto* manager = ParticleManager::getInstance();
    manager->add(first, "lolsplosion");
    manager->update(1.0);
    manager->add(marker, "targetingsystem");
    manager->add(last, "lolsplosion");

    manager->update(1.2);
    EXPECT_EQ(listed(), (std::vector<ParticleSystem*>{marker, last}));
    EXPECT_FLOAT_EQ(marker->time, 1.2f);
    EXPECT_FLOAT_EQ(last->time, 1.2f);

    manager->update(0.4);
    EXPECT_EQ(listed(), (std::vector<ParticleSystem*>{last}));
    EXPECT_FLOAT_EQ(last->time, 1.6f);
}

TEST_F(ParticleGLTest, SystemListedTwiceIsAgedAndDrawnTwice) {
    ParticleSystem* explosion = make(1, 200, kSheet, kExplosionParticles, glm::vec3(0, 0, -20));
    auto* manager = ParticleManager::getInstance();
    manager->add(explosion, "lolsplosion");
    manager->update(0.2);
    const glm::vec3 black(0.0f);
    const std::vector<std::uint8_t> once = renderPass(1, black);

    manager->add(explosion, "lolsplosion");
    manager->update(0.1);
    EXPECT_FLOAT_EQ(explosion->time, 0.2f);
    const std::vector<std::uint8_t> twice = renderPass(1, black);

    // Additive blending: the second draw doubles every unsaturated pixel.
    int compared = 0;
    for (std::size_t i = 0; i < once.size(); i += 4) {
        if (once[i] > 10 && once[i] < 100) {
            EXPECT_NEAR(twice[i], 2 * once[i], 3);
            ++compared;
        }
    }
    EXPECT_GT(compared, 20);
}

TEST_F(ParticleGLTest, ExplosionIsBrightAddsToTheBackgroundInItsOwnPassOnlyAndFadesOut) {
    auto* manager = ParticleManager::getInstance();
    manager->add(make(1, 1000, kSheet, kExplosionParticles, glm::vec3(0, 0, -20)), "lolsplosion");
    manager->update(0.3);
    const glm::vec3 dark(0.1f, 0.05f, 0.1f);
    EXPECT_EQ(changedPixels(renderPass(0, dark), dark), 0);
    const glm::vec3 light(0.3f, 0.25f, 0.1f);
    const std::vector<std::uint8_t> onDark = renderPass(1, dark);
    const std::vector<std::uint8_t> onLight = renderPass(1, light);

    int bright = 0;
    long long sumX = 0;
    long long sumY = 0;
    for (std::size_t i = 0; i < onDark.size(); i += 4) {
        for (int c = 0; c < 3; ++c) {
            EXPECT_GE(onDark[i + c] + 1, std::lround(dark[c] * 255.0f)) << "additive never darkens";
        }
        if (onDark[i] > 200 && onDark[i + 1] > 150) {
            ++bright;
            sumX += static_cast<long long>((i / 4) % kWidth);
            sumY += static_cast<long long>((i / 4) / kWidth);
        }
        // Where nothing saturates, the light background shows through by its
        // own difference: the particles add to what is there.
        if (onLight[i] < 250 && onLight[i + 1] < 250 && onLight[i + 2] < 250) {
            for (int c = 0; c < 3; ++c) {
                const long expected = std::lround((light[c] - dark[c]) * 255.0f);
                ASSERT_NEAR(onLight[i + c] - onDark[i + c], expected, 3);
            }
        }
    }
    ASSERT_GT(bright, 200);
    EXPECT_NEAR(static_cast<double>(sumX) / bright, kWidth / 2.0, kWidth / 10.0);
    EXPECT_NEAR(static_cast<double>(sumY) / bright, kHeight / 2.0, kHeight / 10.0);

    auto brightness = [&] {
        const std::vector<std::uint8_t> pixels = renderPass(1, glm::vec3(0.0f));
        return std::accumulate(pixels.begin(), pixels.end(), 0LL);
    };
    const long long early = brightness();
    manager->update(1.6);
    const long long late = brightness();
    EXPECT_LT(late * 4, early);
    EXPECT_GT(late, 0);
}

TEST_F(ParticleGLTest, StarFieldSurroundsTheCameraWhereverItFlies) {
    Light::getInstance()->update(glm::vec3(-5.0f, 5.0f, -15.0f), 0.0);
    auto* root = scenegraph::RootNode::getInstance();
    auto* camera = new view::GlobalViewPlaneMoveCamera();
    root->addCamera(new scenegraph::CameraNode("main cam", camera));
    root->setActiveCamera("main cam");
    ParticleSystem* field = make(0, 10000, " ", kBackgroundParticles, glm::vec3(0.0f));
    ParticleManager::getInstance()->add(field, "bg_imp_system");
    ParticleManager::getInstance()->update(0.016);
    const glm::vec3 black(0.0f);

    const int atHome = changedPixels(renderPass(0, black), black);
    const glm::vec3 farAway(-4321.0f, 1234.0f, 5678.0f);
    camera->setPosition(farAway);
    view = glm::translate(glm::mat4(1.0f), farAway);
    const int afterFlight = changedPixels(renderPass(0, black), black);

    EXPECT_GT(atHome, 500);
    EXPECT_GT(afterFlight, atHome / 2);
    EXPECT_LT(afterFlight, atHome * 2);
    // Without the wrap the whole cube would lie thousands of units behind.
    view = glm::translate(glm::mat4(1.0f), farAway);
    camera->setPosition(glm::vec3(0.0f));
    EXPECT_LT(changedPixels(renderPass(0, black), black), atHome / 10);
}
