#pragma once

#include <array>

// Frame-rate statistics over samples of 30 drawn frames each. The minimum and
// maximum cover the whole run; the average restarts whenever a key command
// changes what is being measured.
class FrameStatistics {
public:
    static constexpr int framesPerSample = 30;

    // Counts one drawn frame that took frameTime seconds. True when this frame
    // completed a sample, which renews line().
    bool addFrame(double frameTime);

    void resetAverage();

    // "fps: ... | fpsAVG: ... | fpsMin: ... | fpsMax: ..." for the latest sample.
    const char* line() const { return text.data(); }

    float minimum() const { return fpsMin; }
    float maximum() const { return fpsMax; }
    float average() const { return fpsSamples > 0 ? fpsSum / fpsSamples : 0.0f; }

private:
    int fpsFrames = 0;    // frames counted towards the next sample
    double fpsTime = 0.0; // seconds those frames took
    float fpsMin = 10000.0f;
    float fpsMax = 0.0f;
    float fpsSum = 0.0f;          // sum of the samples since the last reset
    int fpsSamples = 0;           // samples since the last reset
    std::array<char, 256> text{}; // formatted in place: no allocation per sample
};
