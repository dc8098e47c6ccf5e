#include "render/particle_records.h"

#include "util/random.h"

#include <cmath>

namespace {

constexpr float kExplosionLife = 2.0f;
constexpr float kMarkerLife = 1.5f;
// Markers line up along z this far apart and step their start this far.
constexpr float kMarkerSpacing = 0.2f;
constexpr float kMarkerStep = 0.1f;

// r(n) of the particle tables: the next random value modulo n.
int randomBelow(int n) {
    return util::gameRandom() % n;
}

// -0.01 to 0.01 in steps of 0.00001: a burst direction and speed per axis.
float explosionSpeed() {
    return static_cast<float>(randomBelow(2000) - 1000) / 100000.0f;
}

// -500 to 500 in steps of 0.5: a place in the 1000-unit cube.
float cubeCoordinate() {
    return static_cast<float>(randomBelow(2000) - 1000) / 10.0f * 5.0f;
}

void initialiseExplosion(glm::vec3 emitter, Particle& particle) {
    particle.position = emitter;
    particle.startPosition = emitter;
    particle.velocity.x = explosionSpeed();
    particle.velocity.y = explosionSpeed();
    particle.velocity.z = explosionSpeed();
    particle.p0 = static_cast<float>(randomBelow(200)) / 1000.0f + 0.03f;
    util::gameRandom(); // drawn and unused, but it keeps the sequence in step
    particle.p1 = 0.5f;
    particle.p2 = randomBelow(4);
    particle.p3 = kExplosionLife;
}

void initialiseInCube(glm::vec3 emitter, Particle& particle) {
    particle.position.x = cubeCoordinate();
    particle.position.y = cubeCoordinate();
    particle.position.z = cubeCoordinate();
    particle.startPosition = emitter;
    particle.velocity = glm::vec3(1.0f);
    particle.p3 = 2.0f;
}

void initialiseCloud(glm::vec3 emitter, Particle& particle) {
    initialiseInCube(emitter, particle);
    particle.p0 = 1.0f;
    particle.p1 = 2.0f;
    particle.p2 = randomBelow(16);
}

void initialiseBackground(glm::vec3 emitter, Particle& particle) {
    initialiseInCube(emitter, particle);
    particle.p0 = 1.0f;
    particle.p1 = 5.0f;
    particle.p2 = 2;
}

void initialiseMarker(glm::vec3 emitter, int index, int half, Particle& particle) {
    particle.position = emitter;
    particle.position.z += static_cast<float>(index - half) * kMarkerSpacing;
    particle.startPosition = glm::vec3(0.0f, 0.0f, kMarkerStep * static_cast<float>(index));
    particle.velocity = glm::vec3(0.0f, 0.0f, kMarkerStep);
    particle.p0 = 1.0f;
    particle.p1 = 5.0f;
    particle.p2 = index % 4 + 1;
    particle.p3 = 2.0f;
}

} // namespace

void initialiseParticles(int kind, glm::vec3 emitter, std::vector<Particle>& particles) {
    const int count = static_cast<int>(particles.size());
    const int half = static_cast<int>(std::floor(static_cast<float>(count) * 0.5f));
    for (int i = 0; i < count; ++i) {
        Particle& particle = particles[static_cast<std::size_t>(i)];
        particle.colour = glm::vec3(1.0f);
        switch (kind) {
        case kExplosionParticles:
            initialiseExplosion(emitter, particle);
            break;
        case kCloudParticles:
            initialiseCloud(emitter, particle);
            break;
        case kBackgroundParticles:
            initialiseBackground(emitter, particle);
            break;
        case kMarkerParticles:
            initialiseMarker(emitter, i, half, particle);
            break;
        default:
            break;
        }
    }
}

void fillParticleArrays(const std::vector<Particle>& particles, ParticleArrays& arrays) {
    for (std::size_t i = 0; i < particles.size(); ++i) {
        const Particle& particle = particles[i];
        for (int axis = 0; axis < 3; ++axis) {
            arrays.positions[3 * i + axis] = particle.position[axis];
            arrays.velocities[3 * i + axis] = particle.velocity[axis];
        }
        arrays.params[4 * i] = particle.p0;
        arrays.params[4 * i + 1] = particle.p1;
        arrays.params[4 * i + 2] = static_cast<float>(particle.p2);
        arrays.params[4 * i + 3] = particle.p3;
    }
}

bool particleLifeOver(int kind, float age) {
    switch (kind) {
    case kBackgroundParticles:
    case kCloudParticles:
        return false;
    case kMarkerParticles:
        return age > kMarkerLife;
    default:
        return age > kExplosionLife;
    }
}
