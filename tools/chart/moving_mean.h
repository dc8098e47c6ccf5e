#pragma once

#include <algorithm>
#include <vector>

namespace chart {

// The mean of each value and up to `radius` values on either side (fewer at
// the ends, never padded), in one pass over running sums.
inline std::vector<double> movingMean(const std::vector<float>& values, long radius) {
    const long count = static_cast<long>(values.size());
    std::vector<double> sums(values.size() + 1, 0.0);
    for (long i = 0; i < count; ++i) {
        sums[i + 1] = sums[i] + values[i];
    }
    std::vector<double> means(values.size());
    for (long i = 0; i < count; ++i) {
        const long from = std::max(0L, i - radius), to = std::min(count, i + radius + 1);
        means[i] = (sums[to] - sums[from]) / static_cast<double>(to - from);
    }
    return means;
}

} // namespace chart
