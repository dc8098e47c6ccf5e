#include <array>
#include <cmath>

#include "dsp.h"
#include "instruments.h"
#include "prng.h"

namespace songgen {
namespace {

// Filters follow their envelopes in small blocks: tan() per sample costs too much.
constexpr int64_t controlBlock = 16;

float centsToRatio(float cents) {
    return std::exp2(cents / 1200.0f);
}

// Linear attack, held level, linear release after the note ends.
float gateEnvelope(int64_t i, int64_t held, float attackSeconds, float releaseSeconds) {
    float t = secondsAt(i);
    if (i >= held) {
        return std::fmax(0.0f, 1.0f - secondsAt(i - held) / releaseSeconds);
    }
    return t < attackSeconds ? t / attackSeconds : 1.0f;
}

} // namespace

void renderBass(const Note& note, StereoBuffer& out) {
    const float hz = midiToHz(note.pitch);
    const float release = 0.02f;
    const int64_t length = note.length + samplesOf(release);
    SawOscillator saw(hz, 0.0f);
    SawOscillator detuned(hz * 1.004f, 0.5f);
    SineOscillator sub(hz * 0.5f);
    StateVariableFilter filter(200.0f, 0.35f);
    for (int64_t i = 0; i < length; ++i) {
        if (i % controlBlock == 0) {
            float sweep = std::exp(-secondsAt(i) / 0.07f);
            filter.setCutoff(120.0f + note.tone * (900.0f + 2500.0f * sweep), 0.35f);
        }
        float body = filter.process(0.5f * (saw.next() + detuned.next())).lowPass;
        float env = gateEnvelope(i, note.length, 0.004f, release);
        float value = (0.6f * body + 0.55f * sub.next()) * env * note.velocity * 0.5f;
        out.add(note.start + i, value, value);
    }
}

void renderPad(const Note& note, StereoBuffer& out) {
    constexpr std::array<float, 4> detune = {-14.0f, -5.0f, 5.0f, 14.0f};
    constexpr std::array<float, 4> pans = {-0.8f, -0.3f, 0.3f, 0.8f};
    const float hz = midiToHz(note.pitch);
    const float release = 0.4f;
    const int64_t length = note.length + samplesOf(release);
    std::array<SawOscillator, 4> saws = {
        SawOscillator(hz * centsToRatio(detune[0]), 0.11f),
        SawOscillator(hz * centsToRatio(detune[1]), 0.47f),
        SawOscillator(hz * centsToRatio(detune[2]), 0.73f),
        SawOscillator(hz * centsToRatio(detune[3]), 0.29f),
    };
    StateVariableFilter left(1000.0f, 0.2f);
    StateVariableFilter right(1000.0f, 0.2f);
    const float lfoPhase = note.pitch * 0.37f;
    for (int64_t i = 0; i < length; ++i) {
        if (i % controlBlock == 0) {
            float wobble = 1.0f + 0.15f * std::sin(twoPi * 0.25f * secondsAt(i) + lfoPhase);
            float cutoff = (300.0f + note.tone * 3200.0f) * wobble;
            left.setCutoff(cutoff, 0.2f);
            right.setCutoff(cutoff, 0.2f);
        }
        float l = 0.0f;
        float r = 0.0f;
        for (size_t s = 0; s < saws.size(); ++s) {
            float v = saws[s].next();
            l += v * (1.0f - pans[s]);
            r += v * (1.0f + pans[s]);
        }
        float gain = gateEnvelope(i, note.length, 0.12f, release) * note.velocity * 0.05f;
        out.add(note.start + i, left.process(l).lowPass * gain, right.process(r).lowPass * gain);
    }
}

void renderLead(const Note& note, StereoBuffer& out) {
    const float hz = midiToHz(note.pitch);
    const float release = 0.06f;
    const int64_t length = note.length + samplesOf(release);
    // Starting mid-ramp puts the first hard edge of the saws right at the
    // attack, and the pick noise marks it as a plectrum would.
    SawOscillator upper(hz * centsToRatio(6.0f), 0.5f);
    SawOscillator lower(hz * centsToRatio(-6.0f), 0.5f);
    SawOscillator octave(hz * 0.5f, 0.5f);
    StateVariableFilter filter(2000.0f, 0.25f);
    Prng pick(static_cast<uint64_t>(note.start) + 1);
    for (int64_t i = 0; i < length; ++i) {
        float t = secondsAt(i);
        if (i % controlBlock == 0) {
            float depth = std::fmin(1.0f, std::fmax(0.0f, (t - 0.18f) / 0.2f));
            float vibrato = std::exp2(0.01f * depth * std::sin(twoPi * 5.5f * t));
            upper.setFrequency(hz * centsToRatio(6.0f) * vibrato);
            lower.setFrequency(hz * centsToRatio(-6.0f) * vibrato);
            filter.setCutoff(700.0f + note.tone * (1800.0f + 6000.0f * std::exp(-t / 0.15f)),
                             0.25f);
        }
        float raw = upper.next() + lower.next() + 0.35f * octave.next() +
                    pick.bipolar() * 1.5f * std::exp(-t / 0.0015f);
        float level = 0.7f + 0.3f * std::exp(-t / 0.2f);
        float env = gateEnvelope(i, note.length, 0.001f, release) * level;
        float value = filter.process(raw).lowPass * env * note.velocity * 0.16f;
        out.add(note.start + i, value, value);
    }
}

void renderArp(const Note& note, StereoBuffer& out) {
    const float hz = midiToHz(note.pitch);
    const int64_t length = samplesOf(0.25f);
    const float pan = static_cast<int>(note.pitch) % 2 == 0 ? 0.5f : -0.5f;
    SawOscillator saw(hz, 0.0f);
    StateVariableFilter filter(2000.0f, 0.3f);
    for (int64_t i = 0; i < length; ++i) {
        float t = secondsAt(i);
        if (i % controlBlock == 0) {
            filter.setCutoff(600.0f + note.tone * 4000.0f * std::exp(-t / 0.05f), 0.3f);
        }
        float env = std::fmin(1.0f, t / 0.001f) * std::exp(-t / 0.09f) * tailFade(i, length);
        float value = filter.process(saw.next()).lowPass * env * note.velocity * 0.12f;
        out.addPanned(note.start + i, value, pan);
    }
}

void renderBell(const Note& note, StereoBuffer& out) {
    // Two-operator FM an octave above the note: the inharmonic 3.5 ratio rings
    // like metal, and the sine starts at once on the note's first sample.
    const float hz = midiToHz(note.pitch + 12.0f);
    const int64_t length = samplesOf(1.2f);
    float carrier = 0.0f;
    float modulator = 0.0f;
    for (int64_t i = 0; i < length; ++i) {
        float t = secondsAt(i);
        float index = 1.6f * std::exp(-t / 0.15f);
        modulator += 3.5f * hz / sampleRate;
        carrier += hz / sampleRate;
        modulator -= std::floor(modulator);
        carrier -= std::floor(carrier);
        float value = std::sin(twoPi * carrier + index * std::sin(twoPi * modulator));
        float env = std::exp(-t / 0.35f) * tailFade(i, length);
        out.addPanned(note.start + i, value * env * note.velocity * 0.3f, 0.15f);
    }
}

} // namespace songgen
