#include "preview.h"

#include <algorithm>
#include <cmath>

namespace chart {

double loudestStretchMs(const std::vector<float>& loudness, double frameMs, double lengthMs) {
    if (frameMs <= 0.0 || lengthMs <= kPreviewMs || loudness.empty()) {
        return 0.0;
    }
    const auto window = std::min(loudness.size(), static_cast<std::size_t>(kPreviewMs / frameMs));
    const auto lastStart = std::min(loudness.size() - window,
                                    static_cast<std::size_t>((lengthMs - kPreviewMs) / frameMs));
    // Energy, not RMS, adds up over the window.
    double sum = 0.0;
    for (std::size_t i = 0; i < window; ++i) {
        sum += double(loudness[i]) * loudness[i];
    }
    double best = sum;
    std::size_t bestStart = 0;
    for (std::size_t start = 1; start <= lastStart; ++start) {
        const double leaving = loudness[start - 1];
        const double entering = loudness[start + window - 1];
        sum += entering * entering - leaving * leaving;
        if (sum > best) {
            best = sum;
            bestStart = start;
        }
    }
    return std::floor(static_cast<double>(bestStart) * frameMs);
}

} // namespace chart
