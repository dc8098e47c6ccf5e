#pragma once

#include "game/debris.h"
#include "game/path.h"
#include "game/path_flight.h"

#include <memory>

class ParticleSystem;
struct FrameObjects;

// What the select screen shows behind its list: the level's world, its star
// field and its wreckage, and a slow flight along the shipped course. The
// world stays loaded for the levels played from the library, so nothing is
// read twice.
class Backdrop {
public:
    // A quarter of the level's pace: the songs are read, not flown through.
    static constexpr double kPace = 0.25;

    // Needs the shader programs and the scene's root: loads the world unless
    // it is there, and makes the star field and the wreckage.
    Backdrop();
    // Gives the wreckage's hull back; call while the context lives.
    ~Backdrop();
    Backdrop(const Backdrop&) = delete;
    Backdrop& operator=(const Backdrop&) = delete;

    // Shows it again (at start, and whenever a level has ended): the star
    // field to the particle manager, the wreckage to the debris pass.
    void show(FrameObjects& objects);
    // The flight goes on; the camera follows the course and the light the
    // camera, as in a level.
    void update(double elapsed, glm::vec3& lightPosition, FrameObjects& objects);

private:
    game::PathPoints course;
    DebrisArrays wreckage;
    std::unique_ptr<ParticleSystem> stars;
    game::PathFlight flight;
    double seconds = 0.0; // along the course
};
