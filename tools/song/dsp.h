#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>

#include "song_timing.h"

namespace songgen {

constexpr float twoPi = 2.0f * std::numbers::pi_v<float>;

// Time in seconds of the i-th sample of a sound, and back.
inline float secondsAt(int64_t i) {
    return static_cast<float>(i) / sampleRate;
}
inline int64_t samplesOf(float seconds) {
    return static_cast<int64_t>(seconds * sampleRate);
}

inline float midiToHz(float note) {
    return 440.0f * std::exp2((note - 69.0f) / 12.0f);
}

inline float softClip(float x) {
    return std::tanh(x);
}

// A 10 ms fade over the last samples of a sound, so a cut tail never clicks.
inline float tailFade(int64_t i, int64_t length) {
    constexpr int64_t fadeSamples = sampleRate / 100;
    return i + fadeSamples > length ? static_cast<float>(length - i) / fadeSamples : 1.0f;
}

// Band-limited sawtooth (polyBLEP), so high lead notes do not alias into hiss.
class SawOscillator {
public:
    SawOscillator(float hz, float startPhase) : phase(startPhase) { setFrequency(hz); }

    void setFrequency(float hz) { increment = hz / sampleRate; }

    float next() {
        float value = 2.0f * phase - 1.0f - blep(phase);
        phase += increment;
        if (phase >= 1.0f) {
            phase -= 1.0f;
        }
        return value;
    }

private:
    float blep(float t) const {
        if (t < increment) {
            float x = t / increment;
            return x + x - x * x - 1.0f;
        }
        if (t > 1.0f - increment) {
            float x = (t - 1.0f) / increment;
            return x * x + x + x + 1.0f;
        }
        return 0.0f;
    }

    float phase;     // position in the cycle, 0..1
    float increment; // cycles per sample
};

class SineOscillator {
public:
    explicit SineOscillator(float hz) { setFrequency(hz); }
    void setFrequency(float hz) { increment = hz / sampleRate; }
    float next() {
        float value = std::sin(twoPi * phase);
        phase += increment;
        if (phase >= 1.0f) {
            phase -= 1.0f;
        }
        return value;
    }

private:
    float phase = 0.0f; // starting at zero keeps drum attacks free of clicks
    float increment;    // cycles per sample
};

// Trapezoidal state-variable filter: stays stable while the cutoff sweeps.
class StateVariableFilter {
public:
    struct Outputs {
        float lowPass;
        float bandPass;
        float highPass;
    };

    StateVariableFilter(float cutoffHz, float resonance) { setCutoff(cutoffHz, resonance); }

    void setCutoff(float cutoffHz, float resonance) {
        float limited = std::fmin(cutoffHz, 0.45f * sampleRate);
        g = std::tan(std::numbers::pi_v<float> * limited / sampleRate);
        k = 2.0f - 2.0f * resonance;
        a1 = 1.0f / (1.0f + g * (g + k));
    }

    Outputs process(float input) {
        float v3 = input - ic2;
        float v1 = a1 * ic1 + g * a1 * v3;
        float v2 = ic2 + g * v1;
        ic1 = 2.0f * v1 - ic1;
        ic2 = 2.0f * v2 - ic2;
        return {v2, v1, input - k * v1 - v2};
    }

private:
    float g = 0.0f;   // warped cutoff
    float k = 2.0f;   // damping, 2 = no resonance
    float a1 = 1.0f;  // shared coefficient of the two integrators
    float ic1 = 0.0f; // integrator states
    float ic2 = 0.0f;
};

} // namespace songgen
