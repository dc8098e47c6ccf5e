#include "platform/sound_clock.h"

#include <algorithm>
#include <chrono>

namespace platform::sound {

double steadyNowMs() {
    using namespace std::chrono;
    return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void SilentClock::start(bool paused, double nowMs) {
    accumulatedMs = 0.0;
    resumedAtMs = nowMs;
    running = !paused;
}

void SilentClock::pause(double nowMs) {
    if (running) {
        accumulatedMs += nowMs - resumedAtMs;
        running = false;
    }
}

void SilentClock::resume(double nowMs) {
    if (!running) {
        resumedAtMs = nowMs;
        running = true;
    }
}

double SilentClock::elapsedMs(double nowMs) const {
    return running ? accumulatedMs + (nowMs - resumedAtMs) : accumulatedMs;
}

double SteppedClock::track(double reportedMs, double nowMs) {
    // Never earlier than the true zero, and equal to it when the reading was
    // taken just after an on-time device update.
    const double observedZeroMs = nowMs - reportedMs;
    if (readings > 0 && observedZeroMs > earliestZeroMs(nowMs) + resyncMs) {
        readings = 0;
    }
    newest = (newest + 1) % capacity;
    window[newest] = {nowMs, observedZeroMs};
    readings = std::min(readings + 1, capacity);
    outputMs = std::max(outputMs, nowMs - earliestZeroMs(nowMs));
    return outputMs;
}

double SteppedClock::earliestZeroMs(double nowMs) const {
    double earliest = window[newest].zeroMs;
    for (int age = 1; age < readings; ++age) {
        const Reading& r = window[(newest - age + capacity) % capacity];
        if (nowMs - r.atMs > windowMs) {
            break;
        }
        earliest = std::min(earliest, r.zeroMs);
    }
    return earliest;
}

double ChannelPosition::follow(double heardMs, double nowMs) {
    // Before the first sound reaches the ear the heard position is negative.
    outputMs = std::max(resumed ? 0.0 : outputMs, heardMs);
    songStartMs = nowMs - heardMs;
    followed = true;
    resumed = false;
    return outputMs;
}

double ChannelPosition::coast(double nowMs, double limitMs) {
    if (followed) {
        outputMs = std::max(outputMs, std::min(limitMs, nowMs - songStartMs));
    }
    return outputMs;
}

} // namespace platform::sound
