#include "effects.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <deque>

#include "song_timing.h"

namespace songgen {
namespace {

class Comb {
public:
    explicit Comb(size_t size) : buffer(size, 0.0f) {}
    float process(float input, float feedback, float damping) {
        float output = buffer[index];
        filtered = output * (1.0f - damping) + filtered * damping;
        buffer[index] = input + filtered * feedback;
        index = (index + 1) % buffer.size();
        return output;
    }

private:
    std::vector<float> buffer;
    size_t index = 0;
    float filtered = 0.0f; // the damping low-pass inside the loop
};

class Allpass {
public:
    explicit Allpass(size_t size) : buffer(size, 0.0f) {}
    float process(float input) {
        float delayed = buffer[index];
        buffer[index] = input + delayed * 0.5f;
        index = (index + 1) % buffer.size();
        return delayed - input;
    }

private:
    std::vector<float> buffer;
    size_t index = 0;
};

// Mutually prime delay lengths so the echoes do not pile up into a pitch;
// the right channel's are a little longer for width.
constexpr std::array<size_t, 8> combLengths = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<size_t, 4> allpassLengths = {556, 441, 341, 225};
constexpr size_t stereoSpread = 23;

std::vector<float> reverbChannel(const std::vector<float>& mono, size_t spread, float roomSize,
                                 float damping) {
    std::vector<Comb> combs;
    std::vector<Allpass> allpasses;
    for (size_t length : combLengths) {
        combs.emplace_back(length + spread);
    }
    for (size_t length : allpassLengths) {
        allpasses.emplace_back(length + spread);
    }
    std::vector<float> wet(mono.size(), 0.0f);
    for (size_t i = 0; i < mono.size(); ++i) {
        float input = mono[i] * 0.015f;
        float sum = 0.0f;
        for (Comb& comb : combs) {
            sum += comb.process(input, roomSize, damping);
        }
        for (Allpass& allpass : allpasses) {
            sum = allpass.process(sum);
        }
        wet[i] = sum;
    }
    return wet;
}

} // namespace

StereoBuffer reverb(const StereoBuffer& dry, float roomSize, float damping) {
    std::vector<float> mono(dry.left.size());
    for (size_t i = 0; i < mono.size(); ++i) {
        mono[i] = dry.left[i] + dry.right[i];
    }
    StereoBuffer wet(dry.frames());
    wet.left = reverbChannel(mono, 0, roomSize, damping);
    wet.right = reverbChannel(mono, stereoSpread, roomSize, damping);
    return wet;
}

void pingPongDelay(StereoBuffer& signal, int64_t delaySamples, float feedback, float mix) {
    const size_t delay = static_cast<size_t>(delaySamples);
    std::vector<float> left(delay, 0.0f);
    std::vector<float> right(delay, 0.0f);
    size_t index = 0;
    for (size_t i = 0; i < signal.left.size(); ++i) {
        float echoLeft = left[index];
        float echoRight = right[index];
        // Mono in on the left, then each echo crosses to the other side.
        left[index] = 0.5f * (signal.left[i] + signal.right[i]) + echoRight * feedback;
        right[index] = echoLeft;
        index = (index + 1) % delay;
        signal.left[i] += echoLeft * mix;
        signal.right[i] += echoRight * mix;
    }
}

void sidechain(StereoBuffer& signal, const std::vector<int64_t>& kicks, float depth,
               float recoverSeconds) {
    const int64_t recoverSamples = static_cast<int64_t>(recoverSeconds * sampleRate);
    const int64_t dipSamples = sampleRate / 500; // 2 ms into the dip: no click
    for (int64_t kick : kicks) {
        int64_t end = std::min(signal.frames(), kick + recoverSamples);
        for (int64_t frame = std::max<int64_t>(0, kick); frame < end; ++frame) {
            int64_t since = frame - kick;
            float dip = since < dipSamples ? static_cast<float>(since) / dipSamples : 1.0f;
            float x = static_cast<float>(since) / static_cast<float>(recoverSamples);
            float gain = 1.0f - depth * dip * (1.0f - x) * (1.0f - x);
            signal.left[static_cast<size_t>(frame)] *= gain;
            signal.right[static_cast<size_t>(frame)] *= gain;
        }
    }
}

void limit(StereoBuffer& signal, float ceiling, float releaseSeconds) {
    const size_t lookahead = sampleRate / 500;
    const size_t frames = signal.left.size();
    std::vector<float> needed(frames);
    for (size_t i = 0; i < frames; ++i) {
        float peak = std::max(std::fabs(signal.left[i]), std::fabs(signal.right[i]));
        needed[i] = peak > ceiling ? ceiling / peak : 1.0f;
    }
    // Minimum of the needed gain over the next `lookahead` samples (sliding
    // window minimum), then released slowly back towards 1.
    std::vector<float> held(frames);
    std::deque<size_t> window;
    const float recover = 1.0f - std::exp(-1.0f / (releaseSeconds * sampleRate));
    float gain = 1.0f;
    for (size_t i = 0; i + 1 < frames + lookahead; ++i) {
        if (i < frames) {
            while (!window.empty() && needed[window.back()] >= needed[i]) {
                window.pop_back();
            }
            window.push_back(i);
        }
        if (i < lookahead - 1) {
            continue;
        }
        size_t start = i + 1 - lookahead;
        while (window.front() < start) {
            window.pop_front();
        }
        gain = std::min(needed[window.front()], gain + (1.0f - gain) * recover);
        held[start] = gain;
    }
    // Averaging over the look-ahead keeps every output sample at or below its
    // needed gain, since each averaged value already covers that sample.
    double sum = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        sum += held[i];
        if (i >= lookahead) {
            sum -= held[i - lookahead];
        }
        float smooth = static_cast<float>(sum / static_cast<double>(std::min(i + 1, lookahead)));
        signal.left[i] *= smooth;
        signal.right[i] *= smooth;
    }
}

} // namespace songgen
