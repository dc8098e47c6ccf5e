#include "game/flight_measures.h"

#include "game/flight_angles.h"

#include <algorithm>
#include <cmath>

#define GLM_ENABLE_EXPERIMENTAL
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtx/spline.hpp>

namespace game {

namespace {

constexpr double kShippedSongMs = 116000.0;

// The camera's turn as PathFlight sets it: pitch about x after yaw about y.
glm::mat3 cameraTurn(const glm::vec3& angles) {
    const glm::mat4 identity(1.0f);
    return glm::mat3(glm::rotate(identity, glm::radians(angles.y), glm::vec3(1, 0, 0)) *
                     glm::rotate(identity, glm::radians(angles.x), glm::vec3(0, 1, 0)));
}

double degreesBetween(const glm::mat3& a, const glm::mat3& b) {
    const glm::mat3 relative = glm::transpose(a) * b;
    const double cosine = (relative[0][0] + relative[1][1] + relative[2][2] - 1.0) / 2.0;
    return glm::degrees(std::acos(std::clamp(cosine, -1.0, 1.0)));
}

// One over the radius of the circle through three points; 0 on a line.
double curvatureThrough(const glm::dvec3& a, const glm::dvec3& b, const glm::dvec3& c) {
    const double ab = glm::length(b - a), bc = glm::length(c - b), ca = glm::length(a - c);
    const double twiceArea = glm::length(glm::cross(b - a, c - a));
    const double sides = ab * bc * ca;
    return sides > 0.0 ? 2.0 * twiceArea / sides : 0.0;
}

// The path's own shape, in double precision: far out on a long course a
// float's rounding would show as turns the course does not make.
glm::dvec3 exactPoint(const PathPoints& points, double seconds) {
    const double u = seconds / kSecondsPerSegment;
    const double segment = std::floor(u);
    const long count = static_cast<long>(points.size());
    const long first = static_cast<long>(std::fmod(segment, static_cast<double>(count)));
    auto at = [&](long offset) {
        const long index = ((first + offset) % count + count) % count;
        return glm::dvec3(points[static_cast<std::size_t>(index)]);
    };
    return glm::catmullRom(at(0), at(1), at(2), at(3), u - segment);
}

glm::dvec3 cameraPosition(const PathPoints& points, double seconds) {
    return -exactPoint(points, seconds);
}

} // namespace

std::vector<SegmentTurns> segmentTurns(const PathPoints& points, long firstSegment,
                                       long endSegment) {
    std::vector<SegmentTurns> turns;
    const int frames = static_cast<int>(std::lround(kSecondsPerSegment / kTurnFrameSeconds));
    const int bendSamples = static_cast<int>(std::lround(kSecondsPerSegment / kBendSampleSeconds));
    for (long segment = firstSegment; segment < endSegment; ++segment) {
        SegmentTurns worst;
        const double start = static_cast<double>(segment) * kSecondsPerSegment;
        // The flight as the game flies it, from two frames before the segment
        // (its first heading) on; the flight starts at 0 s.
        glm::dvec3 previous(0.0);
        glm::vec3 angles(0.0f);
        int flown = 0;
        for (int frame = -2; frame <= frames; ++frame) {
            const double at = start + frame * kTurnFrameSeconds;
            if (at < 0.0) {
                continue;
            }
            const glm::dvec3 position = cameraPosition(points, at);
            const glm::vec3 move(position - previous);
            const glm::vec3 next = flightAngles(glm::vec3(move.x, move.y, -move.z), angles);
            if (flown >= 2) {
                worst.turnDegreesPerSecond = std::max(
                    worst.turnDegreesPerSecond,
                    degreesBetween(cameraTurn(angles), cameraTurn(next)) / kTurnFrameSeconds);
            }
            angles = next;
            previous = position;
            ++flown;
        }
        for (int sample = 0; sample < bendSamples; ++sample) {
            const double at = start + sample * kBendSampleSeconds;
            if (at < kBendSampleSeconds) {
                continue;
            }
            worst.curvature = std::max(
                worst.curvature, curvatureThrough(exactPoint(points, at - kBendSampleSeconds),
                                                  exactPoint(points, at),
                                                  exactPoint(points, at + kBendSampleSeconds)));
        }
        turns.push_back(worst);
    }
    return turns;
}

SegmentTurns worstTurns(const PathPoints& points, double untilMs) {
    const long segments = static_cast<long>(std::ceil(untilMs / 1000.0 / kSecondsPerSegment));
    SegmentTurns worst;
    for (const SegmentTurns& turns : segmentTurns(points, 0, segments)) {
        worst.turnDegreesPerSecond =
            std::max(worst.turnDegreesPerSecond, turns.turnDegreesPerSecond);
        worst.curvature = std::max(worst.curvature, turns.curvature);
    }
    return worst;
}

double distanceFlown(const PathPoints& points, double fromSeconds, double toSeconds) {
    const long frames = std::max(0L, std::lround((toSeconds - fromSeconds) / kTurnFrameSeconds));
    double distance = 0.0;
    glm::dvec3 previous = exactPoint(points, fromSeconds);
    for (long frame = 1; frame <= frames; ++frame) {
        const double at = fromSeconds + (toSeconds - fromSeconds) * frame / frames;
        const glm::dvec3 position = exactPoint(points, at);
        distance += glm::length(position - previous);
        previous = position;
    }
    return distance;
}

double shippedPace() {
    static const double pace = distanceFlown(pathControlPoints(), 0.0, kShippedSongMs / 1000.0) /
                               (kShippedSongMs / 1000.0);
    return pace;
}

double shippedSharpestBend() {
    static const double sharpest = worstTurns(pathControlPoints(), kShippedSongMs).curvature;
    return sharpest;
}

} // namespace game
