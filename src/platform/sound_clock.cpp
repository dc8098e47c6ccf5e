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

double SmoothedPosition::track(double reportedMs, double nowMs) {
    // Never later than the true start, and equal to it when the reading was
    // taken just after an on-time device update.
    const double observedStartMs = nowMs - reportedMs;
    if (readings > 0 && observedStartMs > earliestStartMs(nowMs) + resyncMs) {
        readings = 0;
    }
    newest = (newest + 1) % capacity;
    window[newest] = {nowMs, observedStartMs};
    readings = std::min(readings + 1, capacity);
    songStartMs = earliestStartMs(nowMs);
    outputMs = std::max(outputMs, nowMs - songStartMs);
    return outputMs;
}

double SmoothedPosition::earliestStartMs(double nowMs) const {
    double earliest = window[newest].startMs;
    for (int age = 1; age < readings; ++age) {
        const Reading& r = window[(newest - age + capacity) % capacity];
        if (nowMs - r.atMs > windowMs) {
            break;
        }
        earliest = std::min(earliest, r.startMs);
    }
    return earliest;
}

double SmoothedPosition::coast(double nowMs, double limitMs) {
    if (readings > 0) {
        outputMs = std::max(outputMs, std::min(limitMs, nowMs - songStartMs));
    }
    return outputMs;
}

} // namespace platform::sound
