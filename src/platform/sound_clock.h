#pragma once

// The two clocks behind a channel's position, kept free of any audio API so
// they can be tested and measured with made-up times. All values are ms.

#include <array>

namespace platform::sound {

// Milliseconds of a steady clock; only differences matter.
double steadyNowMs();

// Song time counted by the wall clock alone: what a channel reports when it has
// no device or no audio behind it.
class SilentClock {
public:
    void start(bool paused, double nowMs);
    void pause(double nowMs);
    void resume(double nowMs);
    double elapsedMs(double nowMs) const;

private:
    double accumulatedMs = 0.0; // running time before the latest resume
    double resumedAtMs = 0.0;   // when the clock last started running
    bool running = false;       // frozen while paused
};

// Turns the stepped position a device reports into a smooth one. The device
// updates its play offset once per mixing period, and its mixer may run a
// little late, so a report lags the sound by anything from 0 to a period or
// more, then jumps. A report taken right after an on-time update is exact, so
// the earliest song start (wall time minus report) seen over the last few
// seconds is the true one; the position is the wall time since then. The
// window lets a device clock that runs slightly slow be followed, and a report
// far behind the start (the device starved) begins a new window. The result
// never steps back.
class SmoothedPosition {
public:
    // A reading while the sound plays; returns the position for nowMs.
    double track(double reportedMs, double nowMs);
    // The sound stopped advancing (pause, underrun): the next reading starts
    // a new window instead of comparing with the old one.
    void restart() { readings = 0; }
    // The device has played everything it was given but the last of it is
    // still on its way to the ear: run on with the wall clock up to limitMs.
    double coast(double nowMs, double limitMs);
    double lastMs() const { return outputMs; }

    // How far back readings count: long enough to catch an on-time update
    // even when the mixer often runs late; a drift of 100 ppm moves the start
    // by only 0.5 ms over it.
    static constexpr double windowMs = 5000.0;
    // A report this far behind the window's start means the device fell behind.
    static constexpr double resyncMs = 80.0;

private:
    struct Reading {
        double atMs;    // wall time of the reading
        double startMs; // the song start it implies
    };
    // Enough for the window at a hundred frames per second.
    static constexpr int capacity = 512;

    double earliestStartMs(double nowMs) const;

    std::array<Reading, capacity> window{}; // recent readings, a ring
    int newest = 0;                         // slot of the latest reading
    int readings = 0;                       // how many slots hold readings
    double songStartMs = 0.0;               // wall time of song position 0, as estimated
    double outputMs = 0.0;                  // last position handed out, the floor of the next
};

} // namespace platform::sound
