#include "game/practice.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>

namespace game {

double PracticeRange::loopStartMs() const {
    return std::max(fromMs - kPracticeRunInMs, 0.0);
}

double PracticeRange::loopEndMs() const {
    return toMs + kPracticeRunOutMs;
}

bool PracticeRange::practises(double songMs) const {
    return songMs >= fromMs && songMs <= toMs;
}

PracticeRange offeredPassage(std::vector<double> missesMs, double fallbackMs, double lengthMs) {
    // The passage starts a little before its first miss, so that cue is not
    // the loop's first beat.
    constexpr double kLeadMs = 1000.0;
    double fromMs = fallbackMs;
    std::sort(missesMs.begin(), missesMs.end());
    std::size_t most = 0;
    for (std::size_t first = 0, last = 0; first < missesMs.size(); ++first) {
        while (last < missesMs.size() &&
               missesMs[last] < missesMs[first] + kOfferedPassageMs - kLeadMs) {
            ++last;
        }
        if (last - first > most) {
            most = last - first;
            fromMs = missesMs[first] - kLeadMs;
        }
    }
    fromMs = std::clamp(fromMs, 0.0, std::max(lengthMs - kOfferedPassageMs, 0.0));
    return {fromMs, std::min(fromMs + kOfferedPassageMs, lengthMs), kOfferedSpeed};
}

double steppedSpeed(double speed, int steps) {
    const double onGrid = std::round(speed / kSpeedStep) + steps;
    return std::clamp(onGrid * kSpeedStep, kSlowestSpeed, kFastestSpeed);
}

std::string speedText(double speed) {
    std::array<char, 16> text{};
    const auto end = std::to_chars(text.data(), text.data() + text.size(),
                                   std::round(speed * 100.0) / 100.0, std::chars_format::general)
                         .ptr;
    return std::string(text.data(), end);
}

} // namespace game
