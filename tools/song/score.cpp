#include "score.h"

#include <array>

#include "song_timing.h"

namespace songgen {
namespace {

struct Chord {
    int bassNote;           // the root, in the bass register
    std::array<int, 4> pad; // voiced close together so the changes glide
};

// A minor: i - VI - III - VII for the drops, VI - VII - i - v for the break.
const std::array<Chord, 4> mainProgression = {{
    {45, {57, 60, 64, 69}}, // Am
    {41, {57, 60, 65, 69}}, // F
    {48, {55, 60, 64, 67}}, // C
    {43, {55, 59, 62, 67}}, // G
}};
const std::array<Chord, 4> breakProgression = {{
    {41, {57, 60, 65, 69}}, // F
    {43, {55, 59, 62, 67}}, // G
    {45, {57, 60, 64, 69}}, // Am
    {40, {55, 59, 64, 67}}, // Em
}};

struct MelodyNote {
    int step;
    int length; // in sixteenth steps
    int pitch;
};
using MelodyBar = std::vector<MelodyNote>;

// What the player clicks in the hook: its downbeats and the long notes that
// close each half.
bool isHookAccent(const MelodyNote& note) {
    return note.step == 0 || note.length >= 8;
}

// clang-format off
// The hook: an eight-bar call and answer over the main progression; both
// halves open with the same bar.
const MelodyBar hookOpening = {{0, 3, 76}, {3, 3, 72}, {6, 2, 69}, {8, 4, 72}, {12, 2, 74}, {14, 2, 76}};
const std::array<MelodyBar, 8> hook = {{
    hookOpening,
    {{0, 3, 77}, {3, 3, 76}, {6, 2, 72}, {8, 6, 69}},
    {{0, 3, 79}, {3, 3, 76}, {6, 2, 72}, {8, 4, 76}, {12, 2, 79}, {14, 2, 81}},
    {{0, 4, 83}, {4, 2, 81}, {6, 2, 79}, {8, 8, 74}},
    hookOpening,
    {{0, 3, 77}, {3, 3, 76}, {6, 2, 72}, {8, 4, 69}, {12, 4, 72}},
    {{0, 3, 79}, {3, 3, 76}, {6, 2, 79}, {8, 4, 84}, {12, 2, 83}, {14, 2, 79}},
    {{0, 4, 79}, {4, 2, 81}, {6, 2, 83}, {8, 8, 81}},
}};

// The break sings the hook's outline in half notes over its own progression.
const std::array<MelodyBar, 8> breakMelody = {{
    {{0, 8, 72}, {8, 8, 69}},
    {{0, 8, 74}, {8, 8, 71}},
    {{0, 12, 76}, {12, 4, 72}},
    {{0, 8, 79}, {8, 8, 76}},
    {{0, 8, 81}, {8, 8, 77}},
    {{0, 8, 79}, {8, 8, 74}},
    {{0, 16, 76}},
    {{0, 8, 71}, {8, 8, 74}},
}};
// clang-format on

constexpr int introEnd = 8;
constexpr int buildEnd = 16;
constexpr int dropEnd = 32;
constexpr int breakEnd = 40;
constexpr int finalDropEnd = 60;
// The step of a build's last bar after which everything but the riser rests.
constexpr int gapStep = 12;

class Composer {
public:
    Score finish() {
        Score score;
        score.notes = std::move(notes);
        score.sections = {{"intro", 0, introEnd},
                          {"build", introEnd, buildEnd},
                          {"drop", buildEnd, dropEnd},
                          {"break", dropEnd, breakEnd},
                          {"final drop", breakEnd, finalDropEnd},
                          {"outro", finalDropEnd, songBars}};
        return score;
    }

    void intro() {
        for (int bar = 0; bar < introEnd; ++bar) {
            float opening = static_cast<float>(bar) / introEnd;
            pads(bar, mainChord(bar), 0.55f + 0.25f * opening, 0.15f + 0.45f * opening);
            offbeatHats(bar, 0.35f + 0.2f * opening);
            if (bar >= 4) {
                fourOnTheFloor(bar, 0.8f);
            }
            if (bar >= 2) {
                // A bell rings the hook's downbeats before the hook itself.
                const MelodyNote& first = hook[static_cast<size_t>(bar % 4)][0];
                add(Voice::Bell, bar, 0, 8, static_cast<float>(first.pitch), 0.5f, 0.0f, true);
            }
        }
    }

    void build() {
        for (int bar = introEnd; bar < buildEnd; ++bar) {
            float rise = static_cast<float>(bar - introEnd) / (buildEnd - introEnd);
            pads(bar, mainChord(bar), 0.8f, 0.55f + 0.2f * rise);
            int kickSteps = bar == buildEnd - 1 ? 8 : stepsPerBar; // a breath before the drop
            for (int step = 0; step < kickSteps; step += 4) {
                add(Voice::Kick, bar, step, 4, 0, 0.9f, 0.0f, false);
            }
            sixteenthHats(bar, 0.3f + 0.3f * rise, bar == buildEnd - 1 ? gapStep : stepsPerBar);
            offbeatBass(bar, mainChord(bar), 0.75f, 0.2f + 0.4f * rise, kickSteps);
            if (bar < buildEnd - 2) {
                backbeat(bar, 0.8f);
            }
            if (bar >= buildEnd - 4) {
                melodyBar(hook[static_cast<size_t>(bar % 4)], bar, 0.45f, 0.3f + 0.5f * rise,
                          false);
            }
        }
        snareRoll(buildEnd - 2);
        riser(buildEnd - 4, 0.8f);
    }

    void drop(int firstBar, int endBar, bool final) {
        for (int bar = firstBar; bar < endBar; ++bar) {
            int inSection = bar - firstBar;
            bool phraseEnd = inSection % 8 == 7 || bar == endBar - 1;
            Chord chord = mainChord(bar);
            if (inSection % 8 == 0) {
                add(Voice::Crash, bar, 0, 8 * stepsPerBar, 0, 0.9f, 0.0f, false);
            }
            fourOnTheFloor(bar, 1.0f);
            backbeat(bar, 1.0f);
            sixteenthHats(bar, phraseEnd ? 0.4f : 0.6f);
            offbeatHats(bar, 0.55f, Voice::OpenHat);
            offbeatBass(bar, chord, 1.0f, final ? 0.85f : 0.7f, stepsPerBar);
            pads(bar, chord, 0.95f, final ? 0.95f : 0.8f);
            const MelodyBar& melody = hook[static_cast<size_t>(inSection % 8)];
            melodyBar(melody, bar, 1.0f, final ? 1.0f : 0.85f, true);
            if (final && inSection >= 8) {
                melodyBar(melody, bar, 0.35f, 0.8f, false, 12); // the hook an octave up
            }
            if (final) {
                arpeggio(bar, chord);
            }
            if (phraseEnd) {
                tomFill(bar);
            }
        }
    }

    void breakdown() {
        for (int bar = dropEnd; bar < breakEnd; ++bar) {
            int inSection = bar - dropEnd;
            Chord chord = breakProgression[static_cast<size_t>(inSection % 4)];
            pads(bar, chord, 0.9f, 0.5f + 0.05f * static_cast<float>(inSection));
            const MelodyBar& melody = breakMelody[static_cast<size_t>(inSection)];
            melodyBar(melody, bar, 0.7f, 0.5f, false);
            // Without drums the bell marks the lead's accents.
            add(Voice::Bell, bar, 0, 8, static_cast<float>(melody[0].pitch), 0.6f, 0.0f, true);
            if (inSection < 6) {
                add(Voice::Bass, bar, 0, stepsPerBar, static_cast<float>(chord.bassNote - 12), 0.7f,
                    0.05f, false);
            }
            if (inSection >= 4) {
                sixteenthHats(bar, 0.15f + 0.05f * static_cast<float>(inSection),
                              bar == breakEnd - 1 ? gapStep : stepsPerBar);
            }
        }
        snareRoll(breakEnd - 2);
        riser(breakEnd - 4, 0.9f);
    }

    void outro() {
        add(Voice::Crash, finalDropEnd, 0, 8 * stepsPerBar, 0, 0.9f, 0.0f, false);
        add(Voice::Kick, finalDropEnd, 0, 4, 0, 1.0f, 0.0f, false);
        add(Voice::Lead, finalDropEnd, 0, 2 * stepsPerBar, 81, 0.9f, 0.7f, true);
        add(Voice::Bass, finalDropEnd, 0, 2 * stepsPerBar, 33, 0.9f, 0.3f, false);
        for (int bar = finalDropEnd; bar < songBars; ++bar) {
            float fade = 1.0f - 0.22f * static_cast<float>(bar - finalDropEnd);
            pads(bar, mainProgression[0], 0.9f * fade, 0.6f * fade);
        }
    }

private:
    static Chord mainChord(int bar) { return mainProgression[static_cast<size_t>(bar % 4)]; }

    void add(Voice voice, int bar, int step, int lengthSteps, float pitch, float velocity,
             float tone, bool accent) {
        notes.push_back({voice, stepStart(bar, step), lengthSteps * samplesPerStep, pitch, velocity,
                         tone, accent});
    }

    void pads(int bar, const Chord& chord, float velocity, float tone) {
        for (int pitch : chord.pad) {
            add(Voice::Pad, bar, 0, stepsPerBar, static_cast<float>(pitch), velocity, tone, false);
        }
    }

    void fourOnTheFloor(int bar, float velocity) {
        for (int step = 0; step < stepsPerBar; step += 4) {
            add(Voice::Kick, bar, step, 4, 0, velocity, 0.0f, false);
        }
    }

    void backbeat(int bar, float velocity) {
        add(Voice::Snare, bar, 4, 4, 0, velocity, 0.0f, true);
        add(Voice::Snare, bar, 12, 4, 0, velocity, 0.0f, true);
    }

    void offbeatHats(int bar, float velocity, Voice voice = Voice::ClosedHat) {
        for (int step = 2; step < stepsPerBar; step += 4) {
            add(voice, bar, step, 2, 0, velocity, 0.0f, false);
        }
    }

    void sixteenthHats(int bar, float velocity, int untilStep = stepsPerBar) {
        for (int step = 0; step < untilStep; ++step) {
            float groove = step % 4 == 2 ? 1.0f : (step % 2 == 0 ? 0.6f : 0.4f);
            add(Voice::ClosedHat, bar, step, 1, 0, velocity * groove, 0.0f, false);
        }
    }

    // Off-beat eighths with a jump to the octave: the pump of the drops.
    void offbeatBass(int bar, const Chord& chord, float velocity, float tone, int untilStep) {
        for (int step = 2; step < untilStep; step += 4) {
            int pitch = chord.bassNote + (step == 10 ? 12 : 0);
            add(Voice::Bass, bar, step, 2, static_cast<float>(pitch), velocity, tone, false);
        }
    }

    void melodyBar(const MelodyBar& melody, int bar, float velocity, float tone, bool accents,
                   int transpose = 0) {
        for (const MelodyNote& note : melody) {
            // Accented notes are played harder, so they stand out as they should.
            bool accent = isHookAccent(note);
            add(Voice::Lead, bar, note.step, note.length,
                static_cast<float>(note.pitch + transpose), accent ? velocity : 0.75f * velocity,
                tone, accents && accent);
        }
    }

    void arpeggio(int bar, const Chord& chord) {
        constexpr std::array<int, 8> order = {0, 1, 2, 3, 2, 1, 3, 2};
        for (int step = 0; step < stepsPerBar; ++step) {
            int pitch = chord.pad[static_cast<size_t>(order[static_cast<size_t>(step % 8)])] + 12;
            float velocity = step % 4 == 0 ? 0.5f : 0.35f;
            add(Voice::Arp, bar, step, 1, static_cast<float>(pitch), velocity, 0.6f, false);
        }
    }

    // Two bars: eighths rising to sixteenths up to the last beat, then a gap
    // of air before the drop; the player clicks the beats.
    void snareRoll(int firstBar) {
        for (int step = 0; step < stepsPerBar; step += 2) {
            bool accent = step == 4 || step == 12;
            float velocity = accent ? 0.85f : 0.4f + 0.02f * static_cast<float>(step);
            add(Voice::Snare, firstBar, step, 2, 0, velocity, 0.0f, accent);
        }
        for (int step = 0; step <= gapStep; ++step) {
            bool accent = step % 4 == 0;
            float velocity = accent ? 1.0f : 0.45f + 0.02f * static_cast<float>(step);
            add(Voice::Snare, firstBar + 1, step, 1, 0, velocity, 0.0f, accent);
        }
    }

    // Four bars of rising noise that falls silent on the roll's last hit, so
    // that hit rings alone and the drop lands in a moment of air.
    void riser(int firstBar, float velocity) {
        add(Voice::Riser, firstBar, 0, 3 * stepsPerBar + gapStep, 0, velocity, 0.0f, false);
    }

    // Toms falling through the last beat of a phrase, under the backbeat.
    void tomFill(int bar) {
        constexpr std::array<int, 3> pitches = {50, 45, 40};
        for (size_t i = 0; i < pitches.size(); ++i) {
            add(Voice::Tom, bar, 13 + static_cast<int>(i), 1, static_cast<float>(pitches[i]), 0.8f,
                0.0f, false);
        }
    }

    std::vector<Note> notes;
};

} // namespace

Score composeSong() {
    Composer composer;
    composer.intro();
    composer.build();
    composer.drop(buildEnd, dropEnd, false);
    composer.breakdown();
    composer.drop(breakEnd, finalDropEnd, true);
    composer.outro();
    return composer.finish();
}

} // namespace songgen
