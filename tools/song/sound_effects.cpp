#include "sound_effects.h"

#include <array>
#include <cmath>

#include "dsp.h"
#include "prng.h"

namespace songgen {
namespace {

void normalize(std::vector<float>& samples, float peak) {
    float loudest = 0.0f;
    for (float s : samples) {
        loudest = std::fmax(loudest, std::fabs(s));
    }
    for (float& s : samples) {
        s *= peak / loudest;
    }
}

} // namespace

std::vector<float> renderStab() {
    constexpr std::array<int, 4> chord = {69, 81, 84, 88}; // A4 A5 C6 E6
    std::vector<SawOscillator> saws;
    for (size_t n = 0; n < chord.size(); ++n) {
        float hz = midiToHz(static_cast<float>(chord[n]));
        saws.emplace_back(hz * 1.003f, 0.1f * static_cast<float>(n));
        saws.emplace_back(hz * 0.997f, 0.5f + 0.1f * static_cast<float>(n));
    }
    StateVariableFilter tone(9000.0f, 0.3f);
    StateVariableFilter body(250.0f, 0.1f);
    Prng noise(0x57AB);
    std::vector<float> samples(static_cast<size_t>(0.32f * sampleRate));
    for (size_t i = 0; i < samples.size(); ++i) {
        float t = secondsAt(i);
        if (i % 16 == 0) {
            tone.setCutoff(1200.0f + 9000.0f * std::exp(-t / 0.06f), 0.3f);
        }
        float sum = 0.0f;
        for (SawOscillator& saw : saws) {
            sum += saw.next();
        }
        float snap = noise.bipolar() * std::exp(-t / 0.004f) * 2.0f;
        float bright = tone.process(sum / 8.0f + snap).lowPass;
        float env = std::fmin(1.0f, t / 0.0005f) * std::exp(-t / 0.07f);
        samples[i] = body.process(bright).highPass * env;
    }
    normalize(samples, 0.8f);
    return samples;
}

std::vector<float> renderClick() {
    Prng noise(0xC11C);
    std::vector<float> samples(static_cast<size_t>(0.03f * sampleRate));
    for (size_t i = 0; i < samples.size(); ++i) {
        float t = secondsAt(i);
        float ping = std::sin(twoPi * 1800.0f * t) + 0.4f * std::sin(twoPi * 3600.0f * t);
        float tick = noise.bipolar() * std::exp(-t / 0.001f);
        samples[i] = (ping * std::exp(-t / 0.004f) + 0.5f * tick) * (1.0f - t / 0.03f);
    }
    normalize(samples, 0.5f);
    return samples;
}

} // namespace songgen
