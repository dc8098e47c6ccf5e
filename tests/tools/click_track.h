#pragma once

#include <cmath>
#include <filesystem>
#include <vector>

namespace charttest {

// Interleaved audio of `seconds` at `sampleRate` with a sharp click (a
// decaying 2 kHz burst) of the given loudness at each time, on every channel.
struct Click {
    double ms;
    float loudness;
};

inline std::vector<float> clickTrack(const std::vector<Click>& clicks, double seconds,
                                     int sampleRate, int channels = 1) {
    const auto frames = static_cast<std::size_t>(seconds * sampleRate);
    std::vector<float> samples(frames * static_cast<std::size_t>(channels), 0.0f);
    const auto length = static_cast<std::size_t>(0.03 * sampleRate);
    for (const Click& click : clicks) {
        const auto start = static_cast<std::size_t>(click.ms * sampleRate / 1000.0);
        for (std::size_t i = 0; i < length && start + i < frames; ++i) {
            const double t = static_cast<double>(i) / sampleRate;
            const auto value = static_cast<float>(click.loudness * std::exp(-t * 200.0) *
                                                  std::sin(2.0 * M_PI * 2000.0 * t));
            for (int c = 0; c < channels; ++c) {
                samples[(start + i) * static_cast<std::size_t>(channels) + c] = value;
            }
        }
    }
    return samples;
}

// Clicks on every beat of `bpm` from 0 ms to untilMs.
inline std::vector<Click> beatClicks(double bpm, double untilMs, float loudness = 0.8f) {
    std::vector<Click> clicks;
    for (double ms = 0.0; ms < untilMs; ms += 60000.0 / bpm) {
        clicks.push_back({ms, loudness});
    }
    return clicks;
}

} // namespace charttest
