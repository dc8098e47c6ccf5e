#include "render/particle_records.h"
#include "support/glm_expect.h"
#include "util/random.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The first values of the game's random sequence.
constexpr int kSequence[] = {41,    18467, 6334,  26500, 19169, 15724, 11478,
                             29358, 26962, 24464, 5705,  28145, 23281};

void expectVec(glm::vec3 actual, glm::vec3 expected) {
    EXPECT_TRUE(testsupport::near(actual, expected, testsupport::kFloatEq));
}

std::vector<Particle> initialised(int kind, int count, glm::vec3 emitter) {
    util::resetGameRandom();
    std::vector<Particle> particles(static_cast<std::size_t>(count));
    initialiseParticles(kind, emitter, particles);
    return particles;
}

} // namespace

TEST(ParticleRecords, ExplosionDrawsVelocityThenSizeThenOneSpareThenCell) {
    const glm::vec3 emitter(1.0f, 2.0f, 3.0f);
    const std::vector<Particle> particles = initialised(kExplosionParticles, 2, emitter);

    // 41, 18467, 6334 -> velocity; 26500 -> p0; 19169 spare; 15724 -> p2.
    expectVec(particles[0].velocity, {-0.00959f, -0.00533f, -0.00666f});
    EXPECT_FLOAT_EQ(particles[0].p0, 0.13f);
    EXPECT_EQ(particles[0].p2, 0);
    // 11478, 29358, 26962 -> velocity; 24464 -> p0; 5705 spare; 28145 -> p2.
    expectVec(particles[1].velocity, {0.00478f, 0.00358f, -0.00038f});
    EXPECT_FLOAT_EQ(particles[1].p0, 0.094f);
    EXPECT_EQ(particles[1].p2, 1);
    for (const Particle& particle : particles) {
        expectVec(particle.position, emitter);
        expectVec(particle.startPosition, emitter);
        expectVec(particle.colour, glm::vec3(1.0f));
        EXPECT_FLOAT_EQ(particle.p1, 0.5f);
        EXPECT_FLOAT_EQ(particle.p3, 2.0f);
    }
    // Six draws per particle: the next value is the thirteenth.
    EXPECT_EQ(util::gameRandom(), kSequence[12]);
}

// A cloud draws its cell after the same position.
TEST(ParticleRecords, BackgroundAndCloudFillTheCubeInHalfUnitSteps) {
    const glm::vec3 emitter(4.0f, 5.0f, 6.0f);
    const std::vector<Particle> particles = initialised(kBackgroundParticles, 2, emitter);

    expectVec(particles[0].position, {-479.5f, -266.5f, -333.0f});
    expectVec(particles[1].position, {-250.0f, 84.5f, 362.0f});
    for (const Particle& particle : particles) {
        expectVec(particle.startPosition, emitter);
        expectVec(particle.velocity, glm::vec3(1.0f));
        EXPECT_FLOAT_EQ(particle.p0, 1.0f);
        EXPECT_FLOAT_EQ(particle.p1, 5.0f);
        EXPECT_EQ(particle.p2, 2);
        EXPECT_FLOAT_EQ(particle.p3, 2.0f);
    }
    EXPECT_EQ(util::gameRandom(), kSequence[6]);

    const std::vector<Particle> cloud = initialised(kCloudParticles, 1, glm::vec3(0.0f));
    expectVec(cloud[0].position, {-479.5f, -266.5f, -333.0f});
    EXPECT_EQ(cloud[0].p2, 26500 % 16);
    EXPECT_FLOAT_EQ(cloud[0].p1, 2.0f);
    EXPECT_EQ(util::gameRandom(), kSequence[4]);
}

TEST(ParticleRecords, MarkersLineUpAroundTheEmitterWithoutDrawing) {
    const glm::vec3 emitter(1.0f, 2.0f, 3.0f);
    const std::vector<Particle> particles = initialised(kMarkerParticles, 5, emitter);

    const float offsets[] = {-0.4f, -0.2f, 0.0f, 0.2f, 0.4f};
    const int cells[] = {1, 2, 3, 4, 1};
    for (int i = 0; i < 5; ++i) {
        const Particle& particle = particles[static_cast<std::size_t>(i)];
        expectVec(particle.position, {1.0f, 2.0f, 3.0f + offsets[i]});
        expectVec(particle.startPosition, {0.0f, 0.0f, 0.1f * static_cast<float>(i)});
        expectVec(particle.velocity, {0.0f, 0.0f, 0.1f});
        EXPECT_EQ(particle.p2, cells[i]);
        EXPECT_FLOAT_EQ(particle.p0, 1.0f);
        EXPECT_FLOAT_EQ(particle.p1, 5.0f);
    }
    EXPECT_EQ(util::gameRandom(), kSequence[0]);

    // An even count centres below the middle: h = floor(4 * 0.5) = 2, offsets
    // -0.4, -0.2, 0, 0.2.
    const std::vector<Particle> even = initialised(kMarkerParticles, 4, glm::vec3(0.0f));
    EXPECT_FLOAT_EQ(even[0].position.z, -0.4f);
    EXPECT_FLOAT_EQ(even[3].position.z, 0.2f);
}

TEST(ParticleRecords, GpuArraysCarryPositionVelocityAndTheFourParameters) {
    std::vector<Particle> particles(2);
    particles[1] = {{1, 2, 3}, {}, {4, 5, 6}, glm::vec3(1.0f), 0.5f, 1.5f, 3, 2.0f};
    ParticleArrays arrays(particles.size());

    fillParticleArrays(particles, arrays);

    EXPECT_EQ(arrays.positions, (std::vector<float>{0, 0, 0, 1, 2, 3}));
    EXPECT_EQ(arrays.velocities, (std::vector<float>{0, 0, 0, 4, 5, 6}));
    EXPECT_EQ(arrays.params, (std::vector<float>{0, 0, 0, 0, 0.5f, 1.5f, 3.0f, 2.0f}));
}

// The explosion's and the marker's lifetimes show in the manager's test.
TEST(ParticleRecords, AnUnknownKindLivesAsLongAsAnExplosionAndTheFieldsForever) {
    EXPECT_FALSE(particleLifeOver(7, 2.0f));
    EXPECT_TRUE(particleLifeOver(7, 2.0001f));
    EXPECT_FALSE(particleLifeOver(kBackgroundParticles, 1.0e6f));
    EXPECT_FALSE(particleLifeOver(kCloudParticles, 1.0e6f));
}
