#pragma once

#include <glm/glm.hpp>

#include <array>

namespace game {

// The closed loop the camera flies: control points of a uniform Catmull-Rom
// spline, one segment every kSecondsPerSegment of music.
constexpr int kPathPointCount = 30;
constexpr double kSecondsPerSegment = 5.0;

using PathPoints = std::array<glm::vec4, kPathPointCount>;

// The level's control points, each with w = 1.
PathPoints pathControlPoints();

// The spline of segment `segment` (taken modulo the loop) at `fraction` in
// [0, 1): it runs from control point segment + 1 to segment + 2.
glm::vec4 splinePoint(const PathPoints& points, long segment, float fraction);

// Where the camera is after `seconds` of music; the loop repeats every
// kPathPointCount segments, and at 0 s it is at control point 1. A moment
// that is not a number counts as 0 s.
glm::vec4 pathPointAt(const PathPoints& points, double seconds);

} // namespace game
