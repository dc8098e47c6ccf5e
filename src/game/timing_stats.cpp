#include "game/timing_stats.h"

#include "game/cue_judging.h"

#include <algorithm>
#include <cmath>

namespace game {

int histogramBin(double offsetMs) {
    const double share = (offsetMs + kHitToleranceMs) / (2.0 * kHitToleranceMs);
    return std::clamp(static_cast<int>(std::floor(share * kHistogramBins)), 0, kHistogramBins - 1);
}

void TimingStats::addHit(double offsetMs) {
    hitCount += 1;
    // Welford's update: no sum of squares to lose its precision over a song.
    const double delta = offsetMs - mean;
    mean += delta / hitCount;
    squaredSum += delta * (offsetMs - mean);
    bins[static_cast<std::size_t>(histogramBin(offsetMs))] += 1;
    currentStreak += 1;
    best = std::max(best, currentStreak);
}

void TimingStats::addMiss() {
    currentStreak = 0;
}

double TimingStats::spreadMs() const {
    return hitCount > 0 ? std::sqrt(std::max(squaredSum, 0.0) / hitCount) : 0.0;
}

std::optional<int> suggestedOffsetMs(const TimingStats& stats, int currentOffsetMs) {
    if (stats.hits() < kAdviceMinHits || std::abs(stats.meanMs()) <= kAdviceThresholdMs) {
        return std::nullopt;
    }
    const int suggested =
        std::clamp(static_cast<int>(std::lround(currentOffsetMs + stats.meanMs())),
                   -kJudgingOffsetLimitMs, kJudgingOffsetLimitMs);
    if (suggested == currentOffsetMs) {
        return std::nullopt;
    }
    return suggested;
}

} // namespace game
