#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace songgen {

// A stem or the whole mix: two channels of float samples at the song's rate.
struct StereoBuffer {
    explicit StereoBuffer(int64_t frames)
        : left(static_cast<std::size_t>(frames), 0.0f),
          right(static_cast<std::size_t>(frames), 0.0f) {}

    int64_t frames() const { return static_cast<int64_t>(left.size()); }

    // Notes near the end of the song are cut rather than written past it.
    void add(int64_t frame, float l, float r) {
        if (frame >= 0 && frame < frames()) {
            left[static_cast<std::size_t>(frame)] += l;
            right[static_cast<std::size_t>(frame)] += r;
        }
    }

    void addPanned(int64_t frame, float mono, float pan) {
        add(frame, mono * (1.0f - pan) * 0.5f * 1.41421356f,
            mono * (1.0f + pan) * 0.5f * 1.41421356f);
    }

    void mixIn(const StereoBuffer& other, float gain) {
        for (std::size_t i = 0; i < left.size() && i < other.left.size(); ++i) {
            left[i] += other.left[i] * gain;
            right[i] += other.right[i] * gain;
        }
    }

    std::vector<float> left;
    std::vector<float> right;
};

} // namespace songgen
