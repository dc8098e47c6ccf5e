#pragma once

#include <array>
#include <optional>

namespace game {

// The histogram of hit offsets splits the hit window into bins this many.
constexpr int kHistogramBins = 10;
using OffsetHistogram = std::array<int, kHistogramBins>;

// The bin of a hit's offset: equal bins from the window's first moment to
// its last, which belongs to the last bin.
int histogramBin(double offsetMs);

// How the player's hits fell against the cues' moments, and their streaks.
class TimingStats {
public:
    void addHit(double offsetMs);
    // A cue left unhit or spoilt: the streak starts again.
    void addMiss();

    int hits() const { return hitCount; }
    int streak() const { return currentStreak; }
    int bestStreak() const { return best; }
    // The mean offset of the hits; 0 without any.
    double meanMs() const { return mean; }
    // The standard deviation of the hits' offsets about their mean.
    double spreadMs() const;
    const OffsetHistogram& histogram() const { return bins; }

private:
    int hitCount = 0;
    int currentStreak = 0;
    int best = 0;
    double mean = 0.0;       // running mean of the offsets
    double squaredSum = 0.0; // running sum of squared distances from the mean
    OffsetHistogram bins{};
};

// How far the judging may be moved for the player's latency, either way: a
// larger shift would let a cue's window close only after the next cue's
// event has taken it out of judging.
constexpr int kJudgingOffsetLimitMs = 200;
// Advice needs this many hits before the mean says anything about the
// player's latency, and a mean further than this from zero.
constexpr int kAdviceMinHits = 20;
constexpr double kAdviceThresholdMs = 20.0;

// The offset_ms that would centre the player's clicks, given the one that
// was in use: nothing while the clicks are centred well enough, too few to
// tell, or already as far as the setting goes.
std::optional<int> suggestedOffsetMs(const TimingStats& stats, int currentOffsetMs);

} // namespace game
