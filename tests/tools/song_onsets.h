#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

#include "audio_io.h"

namespace songtest {

// Onset times (ms) found in the audio alone: moments where the energy of the
// high-passed signal jumps well above what the last few milliseconds held.
// High-passing keeps the sustained bass and pads from hiding the attacks.
inline std::vector<double> detectOnsetsMs(const songgen::DecodedAudio& audio) {
    constexpr size_t hop = 32;           // 0.7 ms frames
    constexpr size_t history = 16;       // frames of background before each frame
    constexpr size_t peakRadius = 20;    // one onset per 15 ms at most
    constexpr double minimumRatio = 4.0; // 6 dB above the background
    const size_t frames = static_cast<size_t>(audio.frames());
    const size_t channels = static_cast<size_t>(audio.channels);

    // The difference of successive samples, softened above 6 kHz where the
    // hats and the risers would drown the attacks of the lead and the snare.
    const float smoothing = std::exp(-2.0f * 3.14159265f * 6000.0f / audio.sampleRate);
    std::vector<float> edge(frames, 0.0f);
    float previous = 0.0f;
    float smoothed = 0.0f;
    for (size_t i = 0; i < frames; ++i) {
        float mono = 0.0f;
        for (size_t c = 0; c < channels; ++c) {
            mono += audio.samples[i * channels + c];
        }
        smoothed = smoothing * smoothed + (1.0f - smoothing) * (mono - previous);
        edge[i] = smoothed;
        previous = mono;
    }
    std::vector<double> energy(frames / hop, 0.0);
    for (size_t i = 0; i < energy.size() * hop; ++i) {
        energy[i / hop] += static_cast<double>(edge[i]) * edge[i];
    }
    const double floor = 1e-6;
    std::vector<double> background(energy.size(), 0.0); // mean energy of the frames before
    std::vector<double> rise(energy.size(), 0.0);
    for (size_t k = history; k < energy.size(); ++k) {
        for (size_t j = k - history; j < k; ++j) {
            background[k] += energy[j] / history;
        }
        rise[k] = (energy[k] + floor) / (background[k] + floor);
    }

    std::vector<double> onsets;
    for (size_t k = history; k + peakRadius < rise.size(); ++k) {
        if (rise[k] < minimumRatio) {
            continue;
        }
        size_t from = k - std::min(k, peakRadius);
        auto strongest = std::max_element(rise.begin() + static_cast<long>(from),
                                          rise.begin() + static_cast<long>(k + peakRadius + 1));
        if (strongest != rise.begin() + static_cast<long>(k)) {
            continue;
        }
        // Within the frame that jumped (and the one before, which may hold the
        // first samples of the attack), the onset is the first sample standing
        // well out of the background.
        const float threshold = 4.0f * static_cast<float>(std::sqrt(background[k] / hop));
        size_t first = (k - 1) * hop;
        while (first < (k + 1) * hop && std::fabs(edge[first]) < threshold) {
            ++first;
        }
        onsets.push_back(static_cast<double>(first) * 1000.0 / audio.sampleRate);
    }
    return onsets;
}

// Distance in ms from `timeMs` to the closest of the sorted `onsetsMs`.
inline double distanceToNearest(const std::vector<double>& onsetsMs, double timeMs) {
    auto after = std::lower_bound(onsetsMs.begin(), onsetsMs.end(), timeMs);
    double best = 1e30;
    if (after != onsetsMs.end()) {
        best = *after - timeMs;
    }
    if (after != onsetsMs.begin()) {
        best = std::min(best, timeMs - *std::prev(after));
    }
    return best;
}

} // namespace songtest
