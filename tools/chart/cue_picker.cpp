#include "cue_picker.h"

#include "moving_mean.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <set>

namespace chart {

namespace {

// An onset this near a grid point is taken to mean it: detection is a few
// ms off at best, the grid is what the musician played to.
constexpr double kSnapMs = 35.0;
constexpr double kSnapShareOfStep = 0.3;
// An onset off the grid is still a note the player hears (a triplet, a
// rubato phrase), but the grid's onsets go first.
constexpr float kOffGridWeight = 0.5f;
// Onsets weaker than this share of the song's strong ones are noise.
constexpr float kNoiseShare = 0.1f;
constexpr double kStrongPercentile = 0.9;
// The cue rate of a passage follows its loudness, averaged this far each way...
constexpr double kActivitySeconds = 3.0;
// ...down to this share of the rate in the quietest passages.
constexpr double kQuietestShare = 0.3;
// The rate holds for every stretch this long.
constexpr double kRateWindowMs = 10000.0;
// Spacing is checked with this to spare, so that the six decimals the cue
// file keeps cannot bring two cues under the minimum.
constexpr double kSpacingSlackMs = 0.001;

struct Candidate {
    double timeMs;
    float strength;
};

template <typename Value> double percentile(std::vector<Value> values, double share) {
    if (values.empty()) {
        return 0.0;
    }
    const auto nth = values.begin() + static_cast<long>(share * (values.size() - 1));
    std::nth_element(values.begin(), nth, values.end());
    return *nth;
}

Candidate onGrid(const Onset& onset, const std::vector<double>& beats, int subdivisions) {
    auto after = std::upper_bound(beats.begin(), beats.end(), onset.timeMs);
    // Before the first beat and after the last the grid goes on at the
    // nearest beat's period.
    const auto from =
        after == beats.begin() ? beats.begin() : std::min(std::prev(after), beats.end() - 2);
    const double beat = *from;
    const double step = (*(from + 1) - beat) / subdivisions;
    const double quarter = (*(from + 1) - beat) / 4.0;
    const double gridPoint = beat + std::round((onset.timeMs - beat) / step) * step;
    if (std::abs(gridPoint - onset.timeMs) <= std::min(kSnapMs, kSnapShareOfStep * quarter)) {
        return {gridPoint, onset.strength};
    }
    return {onset.timeMs, onset.strength * kOffGridWeight};
}

// Loudness of each frame averaged over kActivitySeconds each way, as a share
// of the song's loud passages.
std::vector<double> activity(const OnsetAnalysis& analysis) {
    const long radius = std::max(1L, std::lround(kActivitySeconds * 1000.0 / analysis.frameMs));
    std::vector<double> shares = movingMean(analysis.loudness, radius);
    const double loud = percentile(shares, kStrongPercentile);
    for (double& share : shares) {
        share = loud > 0.0 ? std::clamp(share / loud, kQuietestShare, 1.0) : kQuietestShare;
    }
    return shares;
}

std::vector<Candidate> candidates(const OnsetAnalysis& analysis, const std::vector<double>& beats,
                                  Density density, double endMs) {
    const int subdivisions = density == Density::Easy ? 2 : 4;
    std::vector<float> strengths;
    for (const Onset& onset : analysis.onsets) {
        strengths.push_back(onset.strength);
    }
    const double noise = kNoiseShare * percentile(strengths, kStrongPercentile);
    std::vector<Candidate> found;
    for (const Onset& onset : analysis.onsets) {
        const Candidate candidate = onGrid(onset, beats, subdivisions);
        if (onset.strength > noise && candidate.timeMs >= kFirstCueMs &&
            candidate.timeMs <= endMs - kLastCueBeforeEndMs) {
            found.push_back(candidate);
        }
    }
    // The strongest first; of equal ones the earliest, so a chart never
    // depends on the sort's whims.
    std::sort(found.begin(), found.end(), [](const Candidate& a, const Candidate& b) {
        return a.strength != b.strength ? a.strength > b.strength : a.timeMs < b.timeMs;
    });
    return found;
}

bool keepsSpacing(const std::set<double>& cues, double timeMs) {
    const double gap = kMinCueSpacingMs + kSpacingSlackMs;
    auto after = cues.lower_bound(timeMs);
    if (after != cues.end() && *after - timeMs < gap) {
        return false;
    }
    return after == cues.begin() || timeMs - *std::prev(after) >= gap;
}

// True when no stretch of kRateWindowMs holding the new cue would hold more
// cues than the rate allows: stretches starting at a cue hold the most.
bool keepsRate(const std::set<double>& cues, double timeMs, double rate) {
    std::vector<double> near(cues.upper_bound(timeMs - kRateWindowMs),
                             cues.lower_bound(timeMs + kRateWindowMs));
    near.insert(std::upper_bound(near.begin(), near.end(), timeMs), timeMs);
    const double allowed = std::max(1.0, std::floor(rate * kRateWindowMs / 1000.0));
    for (auto start = near.begin(); start != near.end() && *start <= timeMs; ++start) {
        const auto end = std::lower_bound(start, near.end(), *start + kRateWindowMs);
        if (*start + kRateWindowMs > timeMs && static_cast<double>(end - start) > allowed) {
            return false;
        }
    }
    return true;
}

} // namespace

double cueRate(Density density) {
    switch (density) {
    case Density::Easy:
        return 0.6;
    case Density::Normal:
        return 1.2;
    case Density::Hard:
        return 2.0;
    }
    return 1.2;
}

std::vector<double> pickCues(const OnsetAnalysis& analysis, const std::vector<double>& beatsMs,
                             Density density, double endMs) {
    if (beatsMs.size() < 2) {
        return {};
    }
    const std::vector<double> shares = activity(analysis);
    std::set<double> cues;
    for (const Candidate& candidate : candidates(analysis, beatsMs, density, endMs)) {
        const double share = shares[static_cast<std::size_t>(frameAt(analysis, candidate.timeMs))];
        if (keepsSpacing(cues, candidate.timeMs) &&
            keepsRate(cues, candidate.timeMs, cueRate(density) * share)) {
            cues.insert(candidate.timeMs);
        }
    }
    return {cues.begin(), cues.end()};
}

} // namespace chart
