#include "course_sections.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace chart {

namespace {

constexpr double kSecondMs = 1000.0;
// What a new section costs, in squared deviations of a second's loudness
// (0 to 1) from its section's mean: a step of 0.2 held for 15 s pays it.
constexpr double kSectionCost = 0.6;
// Busyness counts for less than loudness in telling sections apart.
constexpr double kBusyWeight = 0.5;

// Sums of the per-second features and their squares, so any stretch's
// squared deviation from its mean comes in constant time.
struct RunningSums {
    std::vector<double> sum{0.0}, squares{0.0};

    void add(double value) {
        sum.push_back(sum.back() + value);
        squares.push_back(squares.back() + value * value);
    }
    double deviation(long from, long to) const {
        const double s = sum[to] - sum[from];
        const double count = static_cast<double>(to - from);
        return squares[to] - squares[from] - s * s / count;
    }
};

} // namespace

std::vector<SongSection> findSections(const CourseSignals& signals, double endMs) {
    const long seconds = std::max(1L, static_cast<long>(std::ceil(endMs / kSecondMs)));
    RunningSums loud, busy;
    for (long second = 0; second < seconds; ++second) {
        const double from = second * kSecondMs, to = std::min(endMs, from + kSecondMs);
        loud.add(signals.meanOver(signals.loudness, from, to));
        busy.add(kBusyWeight * signals.meanOver(signals.busyness, from, to));
    }
    const long shortest =
        std::min(seconds, std::max(1L, static_cast<long>(kMinSectionMs / kSecondMs)));
    // best[k]: the least cost of splitting the first k seconds; from[k]: where
    // the last section of that split starts.
    std::vector<double> best(static_cast<std::size_t>(seconds + 1),
                             std::numeric_limits<double>::infinity());
    std::vector<long> from(static_cast<std::size_t>(seconds + 1), 0);
    best[0] = 0.0;
    for (long end = shortest; end <= seconds; ++end) {
        for (long start = 0; start + shortest <= end; ++start) {
            if (!std::isfinite(best[static_cast<std::size_t>(start)])) {
                continue;
            }
            const double cost = best[static_cast<std::size_t>(start)] + kSectionCost +
                                loud.deviation(start, end) + busy.deviation(start, end);
            if (cost < best[static_cast<std::size_t>(end)]) {
                best[static_cast<std::size_t>(end)] = cost;
                from[static_cast<std::size_t>(end)] = start;
            }
        }
    }
    std::vector<SongSection> sections;
    // A song shorter than two sections' minimum ends at seconds anyway: the
    // whole song is then one section.
    long end = std::isfinite(best[static_cast<std::size_t>(seconds)]) ? seconds : 0;
    while (end > 0) {
        const long start = from[static_cast<std::size_t>(end)];
        const double startMs = start * kSecondMs, endOfSection = std::min(endMs, end * kSecondMs);
        sections.push_back({startMs, endOfSection, signals.loudnessOver(startMs, endOfSection)});
        end = start;
    }
    if (sections.empty()) {
        sections.push_back({0.0, endMs, signals.loudnessOver(0.0, endMs)});
    }
    std::reverse(sections.begin(), sections.end());
    return sections;
}

} // namespace chart
