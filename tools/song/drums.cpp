#include <array>
#include <cmath>

#include "dsp.h"
#include "instruments.h"

namespace songgen {

void renderKick(const Note& note, StereoBuffer& out, Prng& noise) {
    const int64_t length = samplesOf(0.42f);
    float phase = 0.0f;
    for (int64_t i = 0; i < length; ++i) {
        float t = secondsAt(i);
        float hz = 47.0f + 125.0f * std::exp(-t / 0.03f);
        phase += hz / sampleRate;
        float body = std::sin(twoPi * phase) * std::exp(-t / 0.2f);
        float click = noise.bipolar() * std::exp(-t / 0.0025f) * 0.5f;
        float value = softClip(1.7f * body + click) * 0.8f * note.velocity * tailFade(i, length);
        out.add(note.start + i, value, value);
    }
}

void renderSnare(const Note& note, StereoBuffer& out, Prng& noise) {
    const int64_t length = samplesOf(0.3f);
    SineOscillator low(190.0f);
    SineOscillator high(320.0f);
    StateVariableFilter crack(1500.0f, 0.2f);
    StateVariableFilter soften(9000.0f, 0.1f); // takes the fizz off the rattle
    for (int64_t i = 0; i < length; ++i) {
        float t = secondsAt(i);
        float tone = (0.7f * low.next() + 0.4f * high.next()) * std::exp(-t / 0.045f);
        float bright = crack.process(noise.bipolar()).highPass;
        float rattle = soften.process(bright).lowPass * std::exp(-t / 0.11f);
        float value = (0.6f * tone + 1.1f * rattle) * note.velocity * tailFade(i, length);
        out.addPanned(note.start + i, value, -0.05f);
    }
}

void renderHat(const Note& note, StereoBuffer& out, Prng& noise) {
    bool open = note.voice == Voice::OpenHat;
    const int64_t length = samplesOf(open ? 0.35f : 0.07f);
    const float decay = open ? 0.12f : 0.018f;
    StateVariableFilter sizzle(7500.0f, 0.3f);
    for (int64_t i = 0; i < length; ++i) {
        float env = std::exp(-secondsAt(i) / decay);
        float value = sizzle.process(noise.bipolar()).highPass * env * 0.35f * note.velocity *
                      tailFade(i, length);
        out.addPanned(note.start + i, value, open ? -0.25f : 0.3f);
    }
}

void renderTom(const Note& note, StereoBuffer& out, Prng& noise) {
    const int64_t length = samplesOf(0.35f);
    const float hz = midiToHz(note.pitch);
    const float pan = (note.pitch - 45.0f) / 15.0f;
    float phase = 0.0f;
    for (int64_t i = 0; i < length; ++i) {
        float t = secondsAt(i);
        phase += hz * (1.0f + 0.5f * std::exp(-t / 0.02f)) / sampleRate;
        float body = std::sin(twoPi * phase) * std::exp(-t / 0.16f);
        float click = noise.bipolar() * std::exp(-t / 0.002f) * 0.3f;
        float value = softClip(1.3f * body + click) * 0.6f * note.velocity * tailFade(i, length);
        out.addPanned(note.start + i, value, pan);
    }
}

void renderCrash(const Note& note, StereoBuffer& out, Prng& noise) {
    const int64_t length = std::min(note.length, samplesOf(3.0f));
    // Inharmonic square partials give the metal; the noise gives the wash.
    constexpr std::array<float, 6> partials = {296.0f, 443.0f, 587.0f, 811.0f, 1043.0f, 1367.0f};
    std::array<float, 6> phases{};
    StateVariableFilter washLeft(5000.0f, 0.1f);
    StateVariableFilter washRight(5000.0f, 0.1f);
    StateVariableFilter metalFilter(3000.0f, 0.2f);
    for (int64_t i = 0; i < length; ++i) {
        float t = secondsAt(i);
        float metal = 0.0f;
        for (size_t p = 0; p < partials.size(); ++p) {
            phases[p] += partials[p] / sampleRate;
            phases[p] -= std::floor(phases[p]);
            metal += phases[p] < 0.5f ? 1.0f : -1.0f;
        }
        float ring = metalFilter.process(metal / 6.0f).highPass;
        float env = std::exp(-t / 0.9f) + 0.6f * std::exp(-t / 0.05f);
        float gain = 0.14f * note.velocity * env * tailFade(i, length);
        out.add(note.start + i, (washLeft.process(noise.bipolar()).highPass + 0.5f * ring) * gain,
                (washRight.process(noise.bipolar()).highPass + 0.5f * ring) * gain);
    }
}

void renderRiser(const Note& note, StereoBuffer& out, Prng& noise) {
    StateVariableFilter left(300.0f, 0.6f);
    StateVariableFilter right(300.0f, 0.6f);
    for (int64_t i = 0; i < note.length; ++i) {
        float x = static_cast<float>(i) / static_cast<float>(note.length);
        if (i % 32 == 0) {
            float cutoff = 300.0f * std::pow(20.0f, x);
            left.setCutoff(cutoff, 0.6f);
            right.setCutoff(cutoff, 0.6f);
        }
        float remaining = static_cast<float>(note.length - i) / samplesPerStep;
        float gain = x * x * std::fmin(1.0f, remaining) * 0.2f * note.velocity;
        out.add(note.start + i, left.process(noise.bipolar()).bandPass * gain,
                right.process(noise.bipolar()).bandPass * gain);
    }
}

} // namespace songgen
