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

// Turns a clock that a device advances in steps into a smooth one. The device
// moves its clock once per mixing period, and its mixer may run a little
// late, so a reading lags the true time by anything from 0 to a period or
// more, then jumps. A reading taken right after an on-time update is exact,
// so the earliest zero (wall time minus reading) seen over the last few
// seconds is the true one; the smooth reading is the wall time since then.
// The window lets a device clock that runs slightly slow be followed, and a
// reading far behind the zero (the device starved) begins a new window. The
// result never steps back.
class SteppedClock {
public:
    // A reading of the device's clock; returns the smooth one for nowMs.
    double track(double reportedMs, double nowMs);

    // How far back readings count: long enough to catch an on-time update
    // even when the mixer is seldom on time (OpenAL Soft's without a sound
    // card wakes up to half a period late); a drift of 100 ppm moves the zero
    // by only 1 ms over it.
    static constexpr double windowMs = 10000.0;
    // A reading this far behind the window's zero means the device fell behind.
    static constexpr double resyncMs = 80.0;

private:
    struct Reading {
        double atMs;   // wall time of the reading
        double zeroMs; // the wall time of the device's zero it implies
    };
    // Enough for the window at a hundred frames per second.
    static constexpr int capacity = 1024;

    double earliestZeroMs(double nowMs) const;

    std::array<Reading, capacity> window{}; // recent readings, a ring
    int newest = 0;                         // slot of the latest reading
    int readings = 0;                       // how many slots hold readings
    double outputMs = 0.0;                  // last reading handed out, the floor of the next
};

// The position a channel hands out: the position being heard while the sound
// plays, never stepping back except where the music itself starts again.
class ChannelPosition {
public:
    // The heard position at nowMs while the sound plays.
    double follow(double heardMs, double nowMs);
    // Play resumed after a pause. The device takes the sound up again at its
    // next mixing period, which may start it up to a period before the moment
    // it froze at: the next reading is taken as it is.
    void resume() { resumed = true; }
    // The device has played everything it was given but the last of it is
    // still on its way to the ear: run on with the wall clock up to limitMs.
    double coast(double nowMs, double limitMs);
    double lastMs() const { return outputMs; }

private:
    double songStartMs = 0.0; // wall time of position 0 at the last reading
    double outputMs = 0.0;    // last position handed out, the floor of the next
    bool followed = false;    // a reading has been taken since the start
    bool resumed = false;     // the next reading may be lower than the last
};

} // namespace platform::sound
