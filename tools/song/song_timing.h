#pragma once

#include <cstdint>

namespace songgen {

// 126 BPM at 44.1 kHz gives a beat of exactly 21000 samples, so every note of
// the grid, and with it every cue, starts on a whole sample.
constexpr int sampleRate = 44100;
constexpr int beatsPerMinute = 126;
constexpr int64_t samplesPerBeat = int64_t{sampleRate} * 60 / beatsPerMinute;
constexpr int64_t samplesPerStep = samplesPerBeat / 4; // one sixteenth note
constexpr int stepsPerBar = 16;
constexpr int64_t samplesPerBar = samplesPerStep * stepsPerBar;
static_assert(samplesPerBeat * beatsPerMinute == int64_t{sampleRate} * 60);
static_assert(samplesPerStep * 4 == samplesPerBeat);

constexpr int songBars = 64;
// The last chord and the reverb ring out past the final bar.
constexpr int64_t tailSamples = 2 * sampleRate;
constexpr int64_t songSamples = songBars * samplesPerBar + tailSamples;

// Sample index of a sixteenth step counted from the first bar.
constexpr int64_t stepStart(int bar, int step) {
    return bar * samplesPerBar + step * samplesPerStep;
}

// The music position the game reads, in milliseconds, of a sample index.
constexpr double sampleToMs(int64_t sample) {
    return static_cast<double>(sample) * 1000.0 / sampleRate;
}

} // namespace songgen
