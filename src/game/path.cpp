#include "game/path.h"

#define GLM_ENABLE_EXPERIMENTAL
#include <glm/gtx/spline.hpp>

#include <algorithm>
#include <array>
#include <cmath>

namespace game {

namespace {

const glm::vec4& pointAt(const PathPoints& points, long index) {
    const long count = static_cast<long>(points.size());
    long wrapped = index % count;
    if (wrapped < 0) {
        wrapped += count;
    }
    return points[static_cast<std::size_t>(wrapped)];
}

} // namespace

// Segment k blends points k to k + 3, so it stays clear of the loop's way
// back while k + 3 is not past the last point.
std::size_t pathPointsFor(double songEndMs) {
    const double ms = std::max(songEndMs, 0.0) + kPathPastSongEndMs;
    const auto lastSegment = static_cast<std::size_t>(std::floor(ms / 1000.0 / kSecondsPerSegment));
    return lastSegment + 4;
}

PathPoints pathControlPoints() {
    constexpr std::array<glm::vec3, kPathPointCount> places{{
        {0, 0, 0},         {0, 0, -100},     {100, 0, -200},   {100, 50, -300},   {0, -20, -400},
        {20, 0, -500},     {-20, 80, -600},  {-20, -20, -700}, {-20, -40, -800},  {-40, -40, -900},
        {-20, -20, -1000}, {0, 0, -1100},    {20, -40, -1200}, {20, 20, -1300},   {40, 30, -1400},
        {30, -40, -1500},  {50, -80, -1600}, {50, -40, -1700}, {0, 0, -1800},     {0, 20, -1900},
        {20, 20, -2000},   {20, 40, -2100},  {-20, 40, -2200}, {-20, -10, -2300}, {-20, -40, -2400},
        {-20, -40, -2500}, {20, -20, -2600}, {20, 10, -2700},  {20, 0, -2800},    {0, 0, -2900},
    }};
    PathPoints points;
    for (const glm::vec3& place : places) {
        points.emplace_back(place, 1.0f);
    }
    return points;
}

PathPoints levelPath(double songEndMs) {
    PathPoints points = pathControlPoints();
    const std::size_t needed = pathPointsFor(songEndMs);
    const float step = points[1].z - points[0].z;
    for (std::size_t i = points.size(); i < needed; ++i) {
        const glm::vec4& course = points[i % kPathPointCount];
        const float side = (i / kPathPointCount) % 2 == 0 ? 1.0f : -1.0f;
        points.emplace_back(side * course.x, course.y, step * static_cast<float>(i), 1.0f);
    }
    return points;
}

glm::vec4 splinePoint(const PathPoints& points, long segment, float fraction) {
    return glm::catmullRom(pointAt(points, segment), pointAt(points, segment + 1),
                           pointAt(points, segment + 2), pointAt(points, segment + 3), fraction);
}

glm::vec4 pathPointAt(const PathPoints& points, double seconds) {
    if (!std::isfinite(seconds)) {
        seconds = 0.0;
    }
    const double u = seconds / kSecondsPerSegment;
    const double segment = std::floor(u);
    // The loop is taken before the segment becomes an integer: a moment far
    // outside the song (a cue time from an edited recording) has no integer
    // segment, while its place on the loop is well defined.
    const double onLoop = std::fmod(segment, static_cast<double>(points.size()));
    return splinePoint(points, static_cast<long>(onLoop), static_cast<float>(u - segment));
}

} // namespace game
