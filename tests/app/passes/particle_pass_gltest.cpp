#include "app/frame_scene.h"
#include "app/frame_values.h"
#include "app/passes/particle_pass.h"
#include "render/particle_manager.h"
#include "render/particle_system.h"

#include <memory>

namespace frametest {
namespace {

class ParticlePassTest : public FrameTest {
protected:
    void SetUp() override {
        FrameTest::SetUp();
        loop.renderFlags = onlyFlags({FullRender, ParticleSystems});
        Light::getInstance()->update(glm::vec3(-5.0f, 5.0f, -15.0f), 0.0);
    }

    void TearDown() override {
        testing::internal::CaptureStdout();
        systems.clear();
        testing::internal::GetCapturedStdout();
        ParticleManager::destroyInstance();
        FrameTest::TearDown();
    }

    void listExplosion() {
        systems.push_back(
            std::make_unique<ParticleSystem>(1, 1000, "Sprites/splosion_part_sheet4.tga",
                                             kExplosionParticles, glm::vec3(0.0f, 0.0f, -20.0f)));
        ParticleManager::getInstance()->add(systems.back().get(), "lolsplosion");
    }

    void listBackground() {
        systems.push_back(
            std::make_unique<ParticleSystem>(0, 10000, " ", kBackgroundParticles, glm::vec3(0.0f)));
        ParticleManager::getInstance()->add(systems.back().get(), "bg_imp_system");
    }

    // Clears to black with the depth buffer at depth, so only fragments that
    // skip the depth test can land.
    Picture drawWith(void (*pass)(const FrameValues&), float depth) {
        ParticleManager::getInstance()->update(0.3);
        glClearDepth(depth);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glClearDepth(1.0);
        pass(computeFrameValues(*root, loop.renderFlags));
        return Picture();
    }

    static int litPixels(const Picture& picture) {
        const std::vector<unsigned char>& pixels = picture.bytes();
        int lit = 0;
        for (std::size_t i = 0; i < pixels.size(); i += 3) {
            lit += pixels[i] + pixels[i + 1] + pixels[i + 2] > 60 ? 1 : 0;
        }
        return lit;
    }

    std::vector<std::unique_ptr<ParticleSystem>> systems;
};

TEST_F(ParticlePassTest, GlowingPassShinesThroughTheDepthBufferAndRestoresTheFrameState) {
    listExplosion();
    EXPECT_GT(litPixels(drawWith(drawGlowingParticles, 0.0f)), 200);

    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_EQ(testsupport::glInteger(GL_BLEND_SRC_RGB), GL_SRC_ALPHA);
    EXPECT_EQ(testsupport::glInteger(GL_BLEND_DST_RGB), GL_ONE_MINUS_SRC_ALPHA);
}

TEST_F(ParticlePassTest, OpaquePassKeepsTheBackgroundBehindWhatIsNearer) {
    listBackground();
    EXPECT_GT(litPixels(drawWith(drawOpaqueParticles, 1.0f)), 100);
    EXPECT_EQ(litPixels(drawWith(drawOpaqueParticles, 0.0f)), 0);
}

TEST_F(ParticlePassTest, EachPassLeavesTheOtherPassesSystems) {
    listExplosion();
    listBackground();
    const std::vector<unsigned char> opaque = drawWith(drawOpaqueParticles, 1.0f).bytes();
    const Picture glowing = drawWith(drawGlowingParticles, 1.0f);
    // The explosion is orange-white, the impostor field grey-blue: the centre
    // of the screen is the explosion's in the glowing pass only.
    const Rgb centre = glowing.at(kWidth / 2, kHeight / 2);
    EXPECT_GT(centre.r, 150);
    EXPECT_GT(centre.r, centre.b);
    int warmInOpaque = 0;
    for (std::size_t i = 0; i < opaque.size(); i += 3) {
        warmInOpaque += opaque[i] > opaque[i + 2] + 60 ? 1 : 0;
    }
    EXPECT_EQ(warmInOpaque, 0);
}

} // namespace
} // namespace frametest
