#pragma once

#include <glm/glm.hpp>

#include <cstdint>
#include <vector>

// What a particle system shows; the "ps" shader reads it as "type".
enum ParticleKind {
    kExplosionParticles = 1,
    kCloudParticles = 2, // a spread-out cloud that nothing in the game builds
    kBackgroundParticles = 3,
    kMarkerParticles = 4,
};

// One particle as the CPU keeps it. Only position, velocity and the four
// parameters reach the GPU; the shader gives them their meaning.
struct Particle {
    glm::vec3 position = glm::vec3(0.0f);      // where it is emitted
    glm::vec3 startPosition = glm::vec3(0.0f); // kept for re-initialising
    glm::vec3 velocity = glm::vec3(0.0f);      // drift per unit of age
    glm::vec3 colour = glm::vec3(1.0f);        // never leaves the CPU
    float p0 = 0.0f;                           // explosions: size and speed variation
    float p1 = 0.0f;
    std::int32_t p2 = 0; // sprite-sheet cell, or the marker's place in its ring
    float p3 = 0.0f;     // lifetime the shader fades over
};
static_assert(sizeof(Particle) == 16 * sizeof(float), "a particle is 16 32-bit values");

// Fills every record for its kind around the emitter. Explosions and the
// two cube-filling kinds draw from the game's random sequence, in record
// order; the draw order is part of what makes every run alike.
void initialiseParticles(int kind, glm::vec3 emitter, std::vector<Particle>& particles);

// The GPU arrays of a set of records: 3 position floats, 3 velocity floats
// and 4 parameter floats (p0, p1, p2, p3) per particle. The arrays must
// already have their sizes, so refilling them every frame allocates nothing.
struct ParticleArrays {
    std::vector<float> positions;
    std::vector<float> velocities;
    std::vector<float> params;

    explicit ParticleArrays(std::size_t count)
        : positions(3 * count), velocities(3 * count), params(4 * count) {}
};
void fillParticleArrays(const std::vector<Particle>& particles, ParticleArrays& arrays);

// Whether a system of this kind has outlived its life at this age: explosions
// (and unknown kinds) after 2.0 s, markers after 1.5 s; the background and
// the cloud live for ever.
bool particleLifeOver(int kind, float age);
