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
