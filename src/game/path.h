#pragma once

#include <glm/glm.hpp>

#include <cstddef>
#include <vector>

namespace game {

// The closed loop the camera flies: control points of a uniform Catmull-Rom
// spline, one segment every kSecondsPerSegment of music. The shipped song's
// loop has kPathPointCount points.
constexpr int kPathPointCount = 30;
constexpr double kSecondsPerSegment = 5.0;
// A level's path runs on this far past the song's end without turning back:
// the never-judged cue after the end sits there.
constexpr double kPathPastSongEndMs = 10000.0;

using PathPoints = std::vector<glm::vec4>;

// The shipped loop's control points, each with w = 1.
PathPoints pathControlPoints();

// The control points a path needs for a song ending at songEndMs: enough to
// fly kPathPastSongEndMs beyond the end without reaching the last one.
std::size_t pathPointsFor(double songEndMs);

// The path of a level whose song ends at songEndMs. The loop turns back to
// its start in its last segments, so a song that would get there flies a
// longer loop instead: the shipped course flown on and on, mirrored left to
// right on every other lap, at the same pace. A song that ends before the
// turn keeps the shipped loop as it is.
PathPoints levelPath(double songEndMs);

// The spline of segment `segment` (taken modulo the loop) at `fraction` in
// [0, 1): it runs from control point segment + 1 to segment + 2.
glm::vec4 splinePoint(const PathPoints& points, long segment, float fraction);

// Where the camera is after `seconds` of music; the loop repeats every
// segment count (its points), and at 0 s it is at control point 1. A moment
// that is not a number counts as 0 s.
glm::vec4 pathPointAt(const PathPoints& points, double seconds);

} // namespace game
