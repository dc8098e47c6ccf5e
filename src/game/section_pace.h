#pragma once

#include "game/course.h"

#include <glm/glm.hpp>

#include <iosfwd>

namespace game {

// Measures the pace the camera really flies in each section of a course and
// prints it as the section ends, one line each:
//   "SECTION: <n> <start>-<end> s, pace <pace>"
// with the pace as a share of the shipped loop's (distance flown over time).
class SectionPace {
public:
    // One frame of the flight: the song position and the camera's path point.
    void follow(const Course& course, double positionMs, const glm::vec3& position,
                std::ostream& log);
    // The level ended: the section flown last gets its line.
    void finish(std::ostream& log);

private:
    void report(std::ostream& log) const;

    bool started = false;
    std::size_t section = 0;
    double sectionStartMs = 0.0;
    double lastMs = 0.0;
    double distance = 0.0;
    glm::vec3 lastPosition{0.0f};
    bool finished = false;
};

} // namespace game
