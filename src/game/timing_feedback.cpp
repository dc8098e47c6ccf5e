#include "game/timing_feedback.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace game {

namespace {

// The oldest tick still shows this much.
constexpr float kOldestTickOpacity = 0.25f;
// A readout holds full strength for this share of its time, then fades.
constexpr double kReadoutHold = 0.6;

} // namespace

ClickLook lookOf(double offsetMs) {
    if (std::abs(offsetMs) <= kPreciseMs) {
        return ClickLook::Precise;
    }
    return offsetMs < 0.0 ? ClickLook::Early : ClickLook::Late;
}

std::string offsetReadout(double offsetMs) {
    std::array<char, 32> text{};
    std::snprintf(text.data(), text.size(), "%+ld ms", std::lround(offsetMs));
    // Zero is neither early nor late.
    return text[1] == '0' ? std::string(text.data() + 1) : std::string(text.data());
}

float readoutOpacity(double ageMs, double shownMs) {
    if (ageMs < 0.0 || ageMs >= shownMs) {
        return 0.0f;
    }
    const double fade = (ageMs - kReadoutHold * shownMs) / ((1.0 - kReadoutHold) * shownMs);
    return static_cast<float>(1.0 - std::clamp(fade, 0.0, 1.0));
}

void TimingFeedback::record(const Judgement& judgement, double atMs, const glm::vec3& cuePlace) {
    if (judgement.verdict == Verdict::Hit) {
        timing.addHit(judgement.offsetMs);
    } else {
        timing.addMiss();
        marks.take() = MissMark{cuePlace, atMs};
    }
    // A click before the window is a judged click too: the player learns how
    // early it was.
    if (judgement.verdict != Verdict::Missed) {
        clicks.take() = JudgedClick{judgement.offsetMs, atMs};
        clickCount += 1;
    }
}

std::optional<JudgedClick> TimingFeedback::shownClick(double nowMs) const {
    if (clickCount == 0) {
        return std::nullopt;
    }
    const JudgedClick& latest = clicks.items[(clicks.nextIndex() + kBarTicks - 1) % kBarTicks];
    if (readoutOpacity(nowMs - latest.atMs, kReadoutShownMs) <= 0.0f) {
        return std::nullopt;
    }
    return latest;
}

int TimingFeedback::barTicks(BarTicks& ticks) const {
    const int count = std::min(clickCount, kBarTicks);
    for (int age = 0; age < count; ++age) {
        const std::size_t index = (clicks.nextIndex() + kBarTicks - 1 - age) % kBarTicks;
        const double offset = clicks.items[index].offsetMs;
        BarTick& tick = ticks[static_cast<std::size_t>(age)];
        tick.position = static_cast<float>(std::clamp(offset / kHitToleranceMs, -1.0, 1.0));
        tick.opacity = 1.0f - (1.0f - kOldestTickOpacity) * static_cast<float>(age) /
                                  static_cast<float>(kBarTicks - 1);
        tick.look = lookOf(offset);
    }
    return count;
}

} // namespace game
