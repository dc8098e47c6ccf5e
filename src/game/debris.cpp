#include "game/debris.h"

#include "scenegraph/root_node.h"

#include <algorithm>
#include <cmath>

namespace {

// Eye-space depth beyond which a piece counts as behind the camera.
constexpr float kBehindCamera = 0.5f;
// Culling leaves out pieces this close to the eye plane or behind it.
constexpr float kEyePlaneMargin = -0.1f;
// Half-width of the cone the frustum culling keeps, in eye x or y over
// |x| + |y| + |z|.
constexpr float kConeHalfWidth = 0.5f;

// The pieces all four arrays really hold, however many the level claims.
int availablePieces(const DebrisArrays& debris) {
    const std::size_t claimed = static_cast<std::size_t>(std::max(debris.pathPointCount, 0)) *
                                DebrisArrays::kPiecesPerPathPoint;
    return static_cast<int>(std::min(
        {claimed, debris.tubePoints.size(), debris.tubeOffsets.size(), debris.tubeScales.size()}));
}

bool outsideCone(const glm::vec4& eye) {
    const float spread = std::abs(eye.x) + std::abs(eye.y) + std::abs(eye.z);
    return std::abs(eye.x / spread) > kConeHalfWidth || std::abs(eye.y / spread) > kConeHalfWidth;
}

bool culled(const glm::vec4& eye, int cullingMode) {
    if (cullingMode <= scenegraph::CULL_NONE) {
        return false;
    }
    if (eye.z > kEyePlaneMargin) {
        return true;
    }
    const bool frustum = cullingMode == scenegraph::CULL_LEVEL_FRUSTUM ||
                         cullingMode == scenegraph::CULL_SCENEGRAPH_FRUSTUM;
    return frustum && outsideCone(eye);
}

} // namespace

void chooseDebrisPieces(const DebrisArrays& debris, const glm::mat4& view, int cullingMode,
                        int& startIndex, DebrisChoice& choice) {
    choice.count = 0;
    const int available = availablePieces(debris);
    for (int i = 0; i < kDebrisPiecesPerCall; ++i) {
        const int k = startIndex + i;
        if (k >= available) {
            // k only grows from here on.
            return;
        }
        const glm::vec4 eye = view * glm::vec4(debris.tubePoints[k], 1.0f);
        if (eye.z > kBehindCamera) {
            ++startIndex;
            continue;
        }
        if (culled(eye, cullingMode)) {
            ++i;
            continue;
        }
        choice.pieces[choice.count++] = k;
    }
}
