#pragma once

#include "game/path.h"

#include <glm/glm.hpp>

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

namespace game {

// A chart's own flight, written by the charting tool beside the recordings.
// Without it a level flies the shipped loop.
inline constexpr const char* kCourseFile = "course.cfg";
inline constexpr int kCourseVersion = 1;

// A stretch of the song with its own colours: the main light's tint and the
// glow's. Both multiply what the shipped level shows (1, 1, 1 keeps it).
struct CourseSection {
    double startMs = 0.0;
    glm::vec3 light{1.0f};
    glm::vec3 glow{1.0f};
};

// The flight of one song: control points one kSecondsPerSegment apart (the
// camera is at point 1 at 0 s, as on the shipped loop), so their spacing is
// the pace; the song's loudness at each point (0 quiet to 1 loud), which the
// wreckage follows; the sections; and the moments of the strongest onsets,
// where the light flares.
struct Course {
    PathPoints points;
    std::vector<float> loudness; // one per point
    std::vector<CourseSection> sections;
    std::vector<double> flaresMs; // ascending
};

// The file's text: key=value lines as in config.cfg,
//   course_version=1
//   point=<x> <y> <z> <loudness>            one per control point, in order
//   section=<start ms> <r g b light> <r g b glow>   ascending, the first at 0
//   flare=<ms>                                ascending
std::string courseText(const Course& course);

// The course a text describes for a song ending at songEndMs, or nothing
// with `problem` saying what is wrong (with its line): a course that is not
// version 1, has a malformed or out-of-range value, too few points to fly
// past the song's end, or sections and flares out of order. Unknown keys and
// '#' comments are skipped, as in config.cfg.
std::optional<Course> readCourse(std::istream& text, double songEndMs, std::string& problem);

// The run folder's course: nothing, silently, without the file; on a broken
// file one line on `errors` naming it and nothing, so the shipped loop flies.
std::optional<Course> loadCourse(const std::string& path, double songEndMs, std::ostream& errors);

} // namespace game
