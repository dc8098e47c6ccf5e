#include "game/debris_field.h"

#include "util/random.h"

#include <algorithm>
#include <cmath>

namespace game {

namespace {

constexpr float kMinOffset = 20.0f;
constexpr float kOffsetRange = 50.0f;
constexpr float kMaxScale = 10.0f;
// A course's wreckage per second of flight, relative to the shipped field's:
// this share where the song is quietest, growing with its loudness.
constexpr float kQuietDensity = 0.25f;
constexpr float kLoudDensity = 2.0f;

// -1 to 1 in steps of 0.001.
float signedUnit() {
    return static_cast<float>(util::gameRandom() % 2000 - 1000) / 1000.0f;
}

// 0 to 1 in steps of 0.001.
float unit() {
    return static_cast<float>(util::gameRandom() % 1000) / 1000.0f;
}

glm::vec3 drawOffset() {
    const float a = signedUnit();
    const float b = signedUnit();
    util::gameRandom(); // a third axis once drawn; kept so the field stays as it was
    const float length = unit() * kOffsetRange + kMinOffset;
    const glm::vec3 direction(a, b, 0.0f);
    if (direction == glm::vec3(0.0f)) {
        return direction; // no direction to push along: the piece stays on the path
    }
    return glm::normalize(direction) * length;
}

glm::vec3 drawScale() {
    const float x = unit();
    const float y = unit();
    const float z = unit();
    const float size = unit() * kMaxScale;
    return glm::vec3(x, y, z) * size;
}

} // namespace

void fillDebris(DebrisArrays& debris, const PathPoints& points) {
    constexpr int perPoint = DebrisArrays::kPiecesPerPathPoint;
    const int segments = static_cast<int>(points.size());
    const std::size_t total = static_cast<std::size_t>(segments) * perPoint;
    debris.pathPointCount = segments;
    debris.tubePoints.assign(total, glm::vec3(0.0f));
    debris.tubeOffsets.assign(total, glm::vec3(0.0f));
    debris.tubeScales.assign(total, glm::vec3(0.0f));
    std::size_t entry = 0;
    for (int segment = 0; segment < segments; ++segment) {
        for (int step = 0; step < perPoint; ++step, ++entry) {
            const float fraction = static_cast<float>(step) / perPoint;
            debris.tubePoints[entry] = glm::vec3(splinePoint(points, segment, fraction));
            debris.tubeOffsets[entry] = drawOffset();
            debris.tubeScales[entry] = drawScale();
        }
    }
}

void fillCourseDebris(DebrisArrays& debris, const PathPoints& points,
                      const std::vector<float>& loudness) {
    if (loudness.size() != points.size() || points.empty()) {
        fillDebris(debris, points);
        return;
    }
    constexpr int perPoint = DebrisArrays::kPiecesPerPathPoint;
    const int segments = static_cast<int>(points.size());
    std::vector<double> weights(points.size());
    double sum = 0.0;
    for (std::size_t i = 0; i < weights.size(); ++i) {
        // Segment k flies from point k + 1 to k + 2: its loudness is theirs.
        const float level = (loudness[std::min(i + 1, loudness.size() - 1)] +
                             loudness[std::min(i + 2, loudness.size() - 1)]) /
                            2.0f;
        weights[i] = kQuietDensity + (kLoudDensity - kQuietDensity) * std::clamp(level, 0.0f, 1.0f);
        sum += weights[i];
    }
    // The same number of pieces as the shipped field would have, so the
    // draw's budget stays what it was; only where they lie changes.
    const std::size_t total = static_cast<std::size_t>(segments) * perPoint;
    debris.pathPointCount = segments;
    debris.tubePoints.clear();
    debris.tubeOffsets.clear();
    debris.tubeScales.clear();
    // Each segment takes what its share brings the running total to, so
    // the last one ends exactly at the total.
    double reached = 0.0;
    for (int segment = 0; segment < segments; ++segment) {
        reached += weights[static_cast<std::size_t>(segment)];
        const auto until = static_cast<std::size_t>(
            std::llround(static_cast<double>(total) * std::min(reached / sum, 1.0)));
        const long pieces = static_cast<long>(until) - static_cast<long>(debris.tubePoints.size());
        for (long step = 0; step < pieces; ++step) {
            const float fraction = static_cast<float>(step) / static_cast<float>(pieces);
            debris.tubePoints.emplace_back(splinePoint(points, segment, fraction));
            debris.tubeOffsets.push_back(drawOffset());
            debris.tubeScales.push_back(drawScale());
        }
    }
}

} // namespace game
