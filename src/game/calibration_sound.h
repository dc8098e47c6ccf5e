#pragma once

#include <iosfwd>
#include <memory>

namespace platform::sound {
class Channel;
class System;
} // namespace platform::sound

namespace game {

// The calibration's beat: the level's click sample streamed as a metronome,
// whose position is the clock the taps are measured on, as the song's is in
// a level.
class CalibrationSound {
public:
    static constexpr const char* kClickPath = "Sound/click.wav";

    CalibrationSound();
    ~CalibrationSound();
    CalibrationSound(const CalibrationSound&) = delete;
    CalibrationSound& operator=(const CalibrationSound&) = delete;

    // Opens the sound system and starts the clicks, the first at
    // firstClickMs on the clock. Without the click sample the clock still
    // runs, in silence, after one line on `log`.
    void start(double firstClickMs, double beatMs, std::ostream& log);
    // Feeds the stream and reads the clock, ms.
    double update();
    // The clock at a moment of the steady clock (sound::steadyNowMs) near the
    // last update: the position runs with the steady clock between readings.
    double clockAt(double steadyMs) const;
    void release();

private:
    std::unique_ptr<platform::sound::System> system;
    platform::sound::Channel* channel = nullptr;
    double clockMs = 0.0;  // the position at the last update
    double readAtMs = 0.0; // the steady clock then
};

} // namespace game
