#include "render/particle_gl_fixture.h"

#include "model/obj.h"

#include <glm/gtc/type_ptr.hpp>

using particletest::kHeight;
using particletest::kSheet;
using particletest::kWidth;
using particletest::ParticleGLTest;

namespace {

std::vector<float> bufferContents(GLuint buffer, std::size_t floats) {
    std::vector<float> data(floats);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glGetBufferSubData(GL_ARRAY_BUFFER, 0, static_cast<GLsizeiptr>(floats * sizeof(float)),
                       data.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return data;
}

GLint textureParameter(GLuint texture, GLenum name) {
    glBindTexture(GL_TEXTURE_2D, texture);
    const GLint value = testsupport::texParameter(GL_TEXTURE_2D, name);
    glBindTexture(GL_TEXTURE_2D, 0);
    return value;
}

} // namespace

TEST_F(ParticleGLTest, MissingSpriteIsReportedAndDrawsAsOneTransparentTexelOfTheKindsSheet) {
    testing::internal::CaptureStderr();
    ParticleSystem* system = make(1, 4, "Sprites/none.tga", kExplosionParticles, glm::vec3(0.0f));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "particle tex file not found at: Sprites/none.tga\n");

    std::vector<std::uint8_t> texel(16, 99);
    glBindTexture(GL_TEXTURE_2D, system->getTexture());
    EXPECT_EQ(testsupport::texLevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 1);
    EXPECT_EQ(testsupport::texLevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT), 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(std::vector<std::uint8_t>(texel.begin(), texel.begin() + 4),
              (std::vector<std::uint8_t>{0, 0, 0, 0}));
    // The sheet's cells per side follow the kind, found or not.
    EXPECT_FLOAT_EQ(system->m, 2.0f);
    EXPECT_FLOAT_EQ(make(1, 1, kSheet, kExplosionParticles, glm::vec3(0.0f))->m, 2.0f);
    EXPECT_FLOAT_EQ(make(1, 1, kSheet, kCloudParticles, glm::vec3(0.0f))->m, 4.0f);
    EXPECT_FLOAT_EQ(make(1, 1, kSheet, kMarkerParticles, glm::vec3(0.0f))->m, 1.0f);
}

TEST_F(ParticleGLTest, ConstructionAndMoveToUploadTheThreeArrays) {
    ParticleSystem* system = make(1, 3, kSheet, kExplosionParticles, glm::vec3(1.0f, 2.0f, 3.0f));
    EXPECT_EQ(bufferContents(system->positionBuffer, 9), system->getArrays().positions);
    EXPECT_EQ(bufferContents(system->velocityBuffer, 9), system->getArrays().velocities);
    EXPECT_EQ(bufferContents(system->paramBuffer, 12), system->getArrays().params);

    // Moving restarts every particle at the new emitter, uploaded.
    system->moveTo(4.0f, 5.0f, 6.0f);
    for (const Particle& particle : system->getParticles()) {
        EXPECT_EQ(particle.position, glm::vec3(4.0f, 5.0f, 6.0f));
        EXPECT_EQ(particle.startPosition, glm::vec3(4.0f, 5.0f, 6.0f));
    }
    EXPECT_EQ(bufferContents(system->positionBuffer, 9),
              (std::vector<float>{4, 5, 6, 4, 5, 6, 4, 5, 6}));
}

TEST_F(ParticleGLTest, MarkersStayOnTheirTargetAtEveryDraw) {
    ParticleSystem* marker = make(1, 5, kSheet, kMarkerParticles, glm::vec3(0.0f));
    scenegraph::TransformationNode cue("cue", "obj");
    marker->target = &cue;
    cue.setPosition(glm::vec3(3.0f, 4.0f, -20.0f));
    cue.update(0.0);
    ParticleManager::getInstance()->add(marker, "targetingsystem");

    renderPass(1, glm::vec3(0.0f));
    EXPECT_EQ(marker->position, glm::vec3(3.0f, 4.0f, -20.0f));
    EXPECT_FLOAT_EQ(marker->getParticles()[0].position.z, -20.4f);
    EXPECT_FLOAT_EQ(marker->getParticles()[4].position.z, -19.6f);

    cue.setPosition(glm::vec3(-1.0f, 0.0f, -30.0f));
    cue.update(0.0);
    renderPass(1, glm::vec3(0.0f));
    const std::vector<float> uploaded = bufferContents(marker->positionBuffer, 15);
    EXPECT_FLOAT_EQ(uploaded[0], -1.0f);
    EXPECT_FLOAT_EQ(uploaded[2], -30.4f);
    EXPECT_FLOAT_EQ(uploaded[14], -29.6f);
}

TEST_F(ParticleGLTest, DrawsOnlyInItsOwnPassWithFiltersChangedOnlyWhenThePairChanges) {
    ParticleSystem* system = make(1, 1, kSheet, kExplosionParticles, glm::vec3(0.0f, 0.0f, -10.0f));
    const GLuint texture = system->getTexture();
    EXPECT_FALSE(system->draw(&view, &projection, program(), 0, 2, 12));

    EXPECT_TRUE(system->draw(&view, &projection, program(), 1, scenegraph::FILTER_NEAREST,
                             scenegraph::MIPMAP_OFF));
    EXPECT_EQ(textureParameter(texture, GL_TEXTURE_MIN_FILTER), GL_NEAREST);
    EXPECT_EQ(textureParameter(texture, GL_TEXTURE_MAG_FILTER), GL_NEAREST);

    // The same pair again leaves the texture as it is.
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
    system->draw(&view, &projection, program(), 1, scenegraph::FILTER_NEAREST,
                 scenegraph::MIPMAP_OFF);
    EXPECT_EQ(textureParameter(texture, GL_TEXTURE_MIN_FILTER), GL_LINEAR);

    system->draw(&view, &projection, program(), 1, scenegraph::FILTER_BILINEAR,
                 scenegraph::MIPMAP_NEAREST);
    EXPECT_EQ(textureParameter(texture, GL_TEXTURE_MIN_FILTER), GL_LINEAR_MIPMAP_NEAREST);
    EXPECT_EQ(textureParameter(texture, GL_TEXTURE_MAG_FILTER), GL_LINEAR);
    system->draw(&view, &projection, program(), 1, scenegraph::FILTER_NEAREST,
                 scenegraph::MIPMAP_LINEAR);
    EXPECT_EQ(textureParameter(texture, GL_TEXTURE_MIN_FILTER), GL_NEAREST_MIPMAP_LINEAR);
    EXPECT_EQ(textureParameter(texture, GL_TEXTURE_MAG_FILTER), GL_NEAREST);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ParticleGLTest, ASystemTakesItsSpriteAndBuffersWithIt) {
    // The library builds each song's systems anew, so a system that goes must
    // leave nothing in the driver.
    testing::internal::CaptureStdout();
    auto system =
        std::make_unique<ParticleSystem>(1, 3, kSheet, kExplosionParticles, glm::vec3(0.0f));
    const GLuint texture = system->getTexture();
    const std::vector<GLuint> buffers{system->positionBuffer, system->velocityBuffer,
                                      system->paramBuffer};
    ASSERT_TRUE(glIsTexture(texture));
    for (GLuint buffer : buffers) {
        ASSERT_TRUE(glIsBuffer(buffer));
    }
    system.reset();
    EXPECT_FALSE(glIsTexture(texture));
    for (GLuint buffer : buffers) {
        EXPECT_FALSE(glIsBuffer(buffer)) << buffer;
    }

    // The star field's impostor sphere goes back to the model collection...
    auto* models = collection::VBOCollection::getInstance();
    const std::size_t before = models->nodeCount();
    auto field =
        std::make_unique<ParticleSystem>(0, 10, " ", kBackgroundParticles, glm::vec3(0.0f));
    EXPECT_EQ(models->nodeCount(), before + 1);
    field.reset();
    EXPECT_EQ(models->nodeCount(), before);
    // ... unless the collection went first, as it may at shutdown: then
    // nothing makes it again.
    field = std::make_unique<ParticleSystem>(0, 10, " ", kBackgroundParticles, glm::vec3(0.0f));
    collection::VBOCollection::destroyInstance();
    field.reset();
    testing::internal::GetCapturedStdout();
    EXPECT_FALSE(collection::VBOCollection::hasInstance());
}

// That the impostor's frame buffer goes with its system is in the frame check's
// log, which holds every line of the level's shutdown.
TEST_F(ParticleGLTest, ImpostorShowsTheLitSphereAndHandsTheWindowBack) {
    Light::getInstance()->update(glm::vec3(-5.0f, 5.0f, -15.0f), 0.0);
    ParticleSystem* field = make(0, 10, " ", kBackgroundParticles, glm::vec3(0.0f));
    ASSERT_NE(field->getImpostorModel(), nullptr);
    EXPECT_EQ(field->getImpostorModel()->getDrawMode(), 5);
    glViewport(0, 0, 10, 10);

    EXPECT_TRUE(field->update(0.016));
    const glm::mat4 firstTurn = field->getImpostorModel()->rotY;
    EXPECT_TRUE(field->update(0.016));

    glm::ivec4 viewport(0);
    glGetIntegerv(GL_VIEWPORT, glm::value_ptr(viewport));
    EXPECT_EQ(viewport, glm::ivec4(0, 0, kWidth, kHeight));
    EXPECT_EQ(testsupport::glInteger(GL_FRAMEBUFFER_BINDING), 0);
    EXPECT_NE(field->getImpostorModel()->rotY, firstTurn);

    const int side = ParticleSystem::kImpostorSize;
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(side * side * 4));
    glBindTexture(GL_TEXTURE_2D, field->getImpostorTarget()->colorTexture());
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, frame.data());
    glBindTexture(GL_TEXTURE_2D, 0);
    const std::uint8_t* centre = &frame[(static_cast<std::size_t>(side / 2) * side + side / 2) * 4];
    EXPECT_EQ(centre[3], 255) << "the sphere covers the frame's centre";
    EXPECT_GT(centre[0] + centre[1] + centre[2], 60) << "and is lit";
    EXPECT_EQ(frame[3], 0) << "the corner stays cleared";
}
