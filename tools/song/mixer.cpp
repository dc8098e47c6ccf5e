#include "mixer.h"

#include "effects.h"
#include "instruments.h"
#include "song_timing.h"

namespace songgen {
namespace {

struct Stems {
    explicit Stems(int64_t frames)
        : drums(frames), bass(frames), pads(frames), lead(frames), arp(frames), fx(frames) {}
    StereoBuffer drums;
    StereoBuffer bass;
    StereoBuffer pads;
    StereoBuffer lead;
    StereoBuffer arp;
    StereoBuffer fx;
};

void renderNote(const Note& note, Stems& stems, Prng& noise) {
    switch (note.voice) {
    case Voice::Kick:
        return renderKick(note, stems.drums, noise);
    case Voice::Snare:
        return renderSnare(note, stems.drums, noise);
    case Voice::ClosedHat:
    case Voice::OpenHat:
        return renderHat(note, stems.drums, noise);
    case Voice::Tom:
        return renderTom(note, stems.drums, noise);
    case Voice::Crash:
        return renderCrash(note, stems.fx, noise);
    case Voice::Riser:
        return renderRiser(note, stems.fx, noise);
    case Voice::Bass:
        return renderBass(note, stems.bass);
    case Voice::Pad:
        return renderPad(note, stems.pads);
    case Voice::Lead:
        return renderLead(note, stems.lead);
    case Voice::Arp:
        return renderArp(note, stems.arp);
    case Voice::Bell:
        return renderBell(note, stems.lead);
    }
}

std::vector<int64_t> kickTimes(const Score& score) {
    std::vector<int64_t> kicks;
    for (const Note& note : score.notes) {
        if (note.voice == Voice::Kick) {
            kicks.push_back(note.start);
        }
    }
    return kicks;
}

} // namespace

StereoBuffer renderMix(const Score& score, int64_t frames) {
    Stems stems(frames);
    Prng noise(0xC0FFEE);
    for (const Note& note : score.notes) {
        renderNote(note, stems, noise);
    }

    const std::vector<int64_t> kicks = kickTimes(score);
    sidechain(stems.pads, kicks, 0.7f, 0.3f);
    sidechain(stems.bass, kicks, 0.85f, 0.2f);
    sidechain(stems.arp, kicks, 0.5f, 0.25f);
    pingPongDelay(stems.lead, 3 * samplesPerStep, 0.35f, 0.25f);

    StereoBuffer send(frames);
    send.mixIn(stems.pads, 0.6f);
    send.mixIn(stems.lead, 0.5f);
    send.mixIn(stems.arp, 0.5f);
    send.mixIn(stems.drums, 0.08f);
    StereoBuffer room = reverb(send, 0.86f, 0.35f);

    StereoBuffer mix(frames);
    mix.mixIn(stems.drums, 0.55f);
    mix.mixIn(stems.bass, 0.45f);
    mix.mixIn(stems.pads, 0.7f);
    mix.mixIn(stems.lead, 0.9f);
    mix.mixIn(stems.arp, 0.5f);
    mix.mixIn(stems.fx, 0.4f);
    mix.mixIn(room, 0.45f);
    limit(mix, mixCeiling, 0.08f);
    return mix;
}

} // namespace songgen
