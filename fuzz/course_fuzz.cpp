// Feeds arbitrary text to the course reader as if it were a chart's
// course.cfg, then flies what it accepts the way the level does: the path,
// the light's mood and the pace of each section at moments through the song,
// and the wreckage along it.

#include "fuzz_support.h"
#include "game/course.h"
#include "game/course_mood.h"
#include "game/debris_field.h"
#include "game/section_pace.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>

namespace {

// A short song, so that a course the fuzzer writes can have points enough.
constexpr double kSongEndMs = 10000.0;
// The wreckage costs kPiecesPerPathPoint draws per point: only short courses.
constexpr std::size_t kMostPointsForDebris = 64;

bool finite(const glm::vec3& v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

void fly(const game::Course& course) {
    fuzzsupport::require(course.loudness.size() == course.points.size(),
                         "a point lost its loudness");
    fuzzsupport::require(!course.sections.empty() && course.sections.front().startMs == 0.0,
                         "no section at the start");
    const std::vector<double> beats = {0.0, 500.0, 1000.0};
    game::SectionPace pace;
    std::ostringstream log;
    for (double ms = -1000.0; ms <= kSongEndMs + 20000.0; ms += 250.0) {
        const glm::vec3 place(game::pathPointAt(course.points, ms / 1000.0));
        fuzzsupport::require(finite(place), "the path left the numbers");
        const game::LightMood mood = game::courseMood(course, beats, ms);
        fuzzsupport::require(finite(mood.light) && finite(mood.glow), "the light left the numbers");
        pace.follow(course, ms, place, log);
    }
    pace.finish(log);
    if (course.points.size() <= kMostPointsForDebris) {
        DebrisArrays debris;
        game::fillCourseDebris(debris, course.points, course.loudness);
        fuzzsupport::require(debris.tubePoints.size() ==
                                 course.points.size() * DebrisArrays::kPiecesPerPathPoint,
                             "the wreckage lost pieces");
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzzsupport::silenceGameStreams();
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    std::string problem;
    if (const std::optional<game::Course> course = game::readCourse(text, kSongEndMs, problem)) {
        fly(*course);
    } else {
        fuzzsupport::require(!problem.empty(), "a course refused without a reason");
    }
    return 0;
}
