#include "game/cue_reach.h"

#include "game/cue_judging.h"
#include "game/demo_driver.h"
#include "game/path_flight.h"
#include "game/time_controller.h"
#include "scenegraph/camera_node.h"
#include "view/third_person_race_camera.h"

namespace game {

namespace {

// The window is looked at in steps this long; each look flies the camera
// this long first, frame by frame, so it has the flight's heading.
constexpr double kWindowStepMs = 50.0;
constexpr double kApproachMs = 500.0;
constexpr double kFrameMs = 50.0;
// How long a cue must stay in reach without a break during its window.
constexpr double kInReachForMs = 100.0;
// A cursor closer than this to the window's edge may pick outside the
// picking buffer (as the demo keeps it).
constexpr float kEdgeMargin = 8.0f;
// Shares of the jitter tried, largest first, before the path itself.
constexpr float kJitterShares[] = {1.0f, 0.5f, 0.25f, 0.0f};

bool insideView(const glm::vec2& point, const CueView& view) {
    return point.x >= kEdgeMargin && point.y >= kEdgeMargin &&
           point.x < static_cast<float>(view.width) - kEdgeMargin &&
           point.y < static_cast<float>(view.height) - kEdgeMargin;
}

// The camera as the level's flight leaves it at music time ms.
void flyTo(scenegraph::CameraNode& node, const PathPoints& points, double ms) {
    PathFlight flight;
    for (double t = ms - kApproachMs; t <= ms; t += kFrameMs) {
        flight.fly(*node.getCam(), pathPointAt(points, t / 1000.0));
    }
    node.getCam()->updateFromParent(0.0, node.localmodelMat);
}

bool reachableAt(scenegraph::CameraNode& node, const glm::vec3& place, const CueView& view) {
    const glm::ivec2 resting(node.mouseX_old, node.mouseY_old);
    std::optional<glm::vec2> unturned =
        predictOnScreen(node, place, view.projection, view.width, view.height, resting);
    if (unturned && insideView(*unturned, view)) {
        return true;
    }
    return aimThroughTurn(node, place, view.projection, view.width, view.height).has_value();
}

} // namespace

bool racingCameraReaches(const PathPoints& points, const glm::vec3& place, double cueMs,
                         const CueView& view) {
    // The window on the event clock, which runs ahead of the music. A cue in
    // reach as the window opens can be clicked right then; later on it must
    // stay in reach for a while, not for an instant a frame may skip.
    const double opens = cueMs - kHitToleranceMs - util::TimeController::lookaheadMs;
    const double closes = cueMs + kHitToleranceMs - util::TimeController::lookaheadMs;
    scenegraph::CameraNode node("reach", new view::ThirdPersonRaceCamera());
    double reachedSince = -1.0;
    for (double ms = opens; ms <= closes; ms += kWindowStepMs) {
        flyTo(node, points, ms);
        if (!reachableAt(node, place, view)) {
            reachedSince = -1.0;
            continue;
        }
        if (ms == opens) {
            return true;
        }
        if (reachedSince < 0.0) {
            reachedSince = ms;
        }
        if (ms - reachedSince >= kInReachForMs) {
            return true;
        }
    }
    return false;
}

glm::vec3 placeCue(const PathPoints& points, double cueMs, const glm::vec2& jitter,
                   const CueView& view) {
    const glm::vec3 onPath(pathPointAt(points, (cueMs + kCueLeadMs) / 1000.0));
    for (float share : kJitterShares) {
        const glm::vec3 place(onPath.x + jitter.x * share, onPath.y + jitter.y * share, onPath.z);
        if (racingCameraReaches(points, place, cueMs, view)) {
            return place;
        }
    }
    // Straight ahead of the camera at the cue's moment, as far as the path
    // would have put it.
    const double momentMs = cueMs - util::TimeController::lookaheadMs;
    const glm::vec3 camera(pathPointAt(points, momentMs / 1000.0));
    const glm::vec3 heading(pathPointAt(points, (momentMs + kFrameMs) / 1000.0));
    const glm::vec3 direction = heading - camera;
    if (glm::length(direction) == 0.0f) {
        return onPath;
    }
    return camera + glm::normalize(direction) * glm::length(onPath - camera);
}

} // namespace game
