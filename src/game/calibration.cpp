#include "game/calibration.h"

#include "game/timing_stats.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace game {

double tapOffsetMs(double tapMs, double firstClickMs, double beatMs) {
    const double sinceFirst = tapMs - firstClickMs;
    const double nearest = std::round(sinceFirst / beatMs) * beatMs;
    return sinceFirst - nearest;
}

std::optional<TapEstimate> estimateLatency(std::span<const double> offsetsMs) {
    if (offsetsMs.empty()) {
        return std::nullopt;
    }
    std::vector<double> sorted(offsetsMs.begin(), offsetsMs.end());
    std::sort(sorted.begin(), sorted.end());
    const std::size_t middle = sorted.size() / 2;
    const double median =
        sorted.size() % 2 == 1 ? sorted[middle] : 0.5 * (sorted[middle - 1] + sorted[middle]);
    TimingStats stats;
    for (double offset : offsetsMs) {
        stats.addHit(offset);
    }
    return TapEstimate{median, stats.spreadMs()};
}

void TapCalibration::tap(double atMs) {
    if (complete()) {
        return;
    }
    if (!settling()) {
        offsets[static_cast<std::size_t>(taps - kSettlingTaps)] = tapOffsetMs(atMs, firstClickMs);
    }
    ++taps;
}

std::span<const double> TapCalibration::countedOffsets() const {
    const int counted = std::clamp(taps - kSettlingTaps, 0, kCountedTaps);
    return {offsets.data(), static_cast<std::size_t>(counted)};
}

std::optional<TapEstimate> TapCalibration::estimate() const {
    return complete() ? estimateLatency(countedOffsets()) : std::nullopt;
}

void FlashAlignment::earlier() {
    offsetMs = std::min(offsetMs + kStepMs, static_cast<double>(kJudgingOffsetLimitMs));
}

void FlashAlignment::later() {
    offsetMs = std::max(offsetMs - kStepMs, -static_cast<double>(kJudgingOffsetLimitMs));
}

bool FlashAlignment::flashing(double nowMs) const {
    // The flash is drawn offsetMs before its click, so it is seen with it.
    const double sinceFlash = nowMs - (firstClickMs - offsetMs);
    const double intoBeat =
        sinceFlash - std::floor(sinceFlash / kCalibrationBeatMs) * kCalibrationBeatMs;
    return intoBeat < kFlashMs;
}

} // namespace game
