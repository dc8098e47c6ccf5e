#include "game/debris_field.h"

#include "util/random.h"

namespace game {

namespace {

constexpr float kMinOffset = 20.0f;
constexpr float kOffsetRange = 50.0f;
constexpr float kMaxScale = 10.0f;

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

} // namespace game
