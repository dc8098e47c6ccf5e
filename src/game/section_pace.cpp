#include "game/section_pace.h"

#include "game/course_mood.h"
#include "game/flight_measures.h"

#include <cstdio>
#include <ostream>

namespace game {

void SectionPace::follow(const Course& course, double positionMs, const glm::vec3& position,
                         std::ostream& log) {
    if (finished) {
        return;
    }
    const std::size_t now = sectionAt(course, positionMs);
    if (!started) {
        started = true;
        section = now;
        sectionStartMs = positionMs;
    } else {
        if (positionMs > lastMs) {
            distance += glm::length(position - lastPosition);
        }
        if (now != section) {
            lastMs = positionMs;
            report(log);
            section = now;
            sectionStartMs = positionMs;
            distance = 0.0;
        }
    }
    lastMs = positionMs;
    lastPosition = position;
}

void SectionPace::finish(std::ostream& log) {
    if (started && !finished) {
        report(log);
    }
    finished = true;
}

void SectionPace::report(std::ostream& log) const {
    const double seconds = (lastMs - sectionStartMs) / 1000.0;
    const double pace = seconds > 0.0 ? distance / seconds / shippedPace() : 0.0;
    char line[96];
    std::snprintf(line, sizeof line, "SECTION: %zu %.1f-%.1f s, pace %.2f", section + 1,
                  sectionStartMs / 1000.0, lastMs / 1000.0, pace);
    log << line << std::endl;
}

} // namespace game
