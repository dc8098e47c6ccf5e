#include "game/demo_player.h"

#include "game/time_controller.h"
#include "scenegraph/transformation_node.h"

#include <algorithm>
#include <cmath>

namespace game {

namespace {

// Close enough: well inside any cue on screen.
constexpr float kSolvedPixels = 0.25f;
// The step of the numeric derivative, pixels.
constexpr float kDerivativeStep = 1.0f;

bool isClickable(const scenegraph::TransformationNode& cue) {
    return cue.status != kCueHitStatus && cue.drawMode < kCueMissed;
}

std::optional<glm::vec2> residual(const CueOnScreen& cueOnScreen, glm::vec2 cursor) {
    std::optional<glm::vec2> screen = cueOnScreen(cursor);
    if (!screen) {
        return std::nullopt;
    }
    return *screen - cursor;
}

// The event-clock moment from which a click on a cue at cueTimeMs is safe.
double safeClickMs(double cueTimeMs) {
    return cueTimeMs - kHitToleranceMs + kDemoEarlyMarginMs;
}

} // namespace

std::optional<int> cueToClick(const CueTrack& track, double positionMs, const CueTimes& cueTime,
                              double frameMs) {
    const double now = positionMs + util::TimeController::lookaheadMs;
    const int last = track.currentCue + judgedSlots(track);
    for (int index = std::max(track.currentCue - 1, 0); index < last; ++index) {
        const double time = cueTime(index);
        if (!isClickable(*track.cues[static_cast<std::size_t>(index)]) ||
            now > time + kDemoGiveUpMs) {
            continue;
        }
        if (now + frameMs >= safeClickMs(time)) {
            return index;
        }
        return std::nullopt; // the next cue is not due yet, nor any after it
    }
    return std::nullopt;
}

bool clicksOnBeat(double positionMs, double cueTimeMs, double frameMs) {
    // Judged now, or next frame at now + frameMs.
    return msUntilBeat(positionMs, cueTimeMs) <= 0.5 * frameMs;
}

double msUntilBeat(double positionMs, double cueTimeMs) {
    return cueTimeMs - (positionMs + util::TimeController::lookaheadMs);
}

std::optional<double> beatBeforeNextFrame(double positionMs, double readAtMs, double cueTimeMs,
                                          double nextFrameMs, double speed) {
    const double untilBeat = msUntilBeat(positionMs, cueTimeMs);
    if (untilBeat <= 0.0 || untilBeat > nextFrameMs) {
        return std::nullopt;
    }
    return readAtMs + untilBeat / speed;
}

bool beatPressIsDue(double atMs, double readAtMs, double songFrameMs, double speed) {
    // The song position follows the sound device in steps of a few ms.
    constexpr double kClockSteadinessMs = 10.0;
    return atMs <= readAtMs && (readAtMs - atMs) * speed <= songFrameMs + kClockSteadinessMs;
}

double msUntilSafeClick(double positionMs, double cueTimeMs) {
    return std::max(safeClickMs(cueTimeMs) - (positionMs + util::TimeController::lookaheadMs), 0.0);
}

std::optional<glm::vec2> solveAim(const CueOnScreen& cueOnScreen, glm::vec2 start, int iterations) {
    glm::vec2 cursor = start;
    for (int i = 0; i < iterations; ++i) {
        std::optional<glm::vec2> f = residual(cueOnScreen, cursor);
        if (!f) {
            return std::nullopt;
        }
        if (glm::length(*f) < kSolvedPixels) {
            return cursor;
        }
        std::optional<glm::vec2> fx =
            residual(cueOnScreen, cursor + glm::vec2(kDerivativeStep, 0.0f));
        std::optional<glm::vec2> fy =
            residual(cueOnScreen, cursor + glm::vec2(0.0f, kDerivativeStep));
        if (!fx || !fy) {
            return std::nullopt;
        }
        const glm::mat2 jacobian((*fx - *f) / kDerivativeStep, (*fy - *f) / kDerivativeStep);
        if (std::abs(glm::determinant(jacobian)) < 1e-6f) {
            return std::nullopt;
        }
        cursor -= glm::inverse(jacobian) * *f;
    }
    std::optional<glm::vec2> f = residual(cueOnScreen, cursor);
    if (f && glm::length(*f) < kSolvedPixels) {
        return cursor;
    }
    return std::nullopt;
}

} // namespace game
