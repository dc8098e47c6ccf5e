#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace songgen {

enum class Voice { Kick, Snare, ClosedHat, OpenHat, Tom, Crash, Riser, Bass, Pad, Lead, Arp, Bell };

struct Note {
    Voice voice;
    int64_t start;  // sample index of the attack
    int64_t length; // samples the note is held (drums ring out by themselves)
    float pitch;    // MIDI note number; drums ignore it except the toms
    float velocity; // 0..1
    float tone;     // 0..1 filter opening, so sections can sound darker or brighter
    bool accent;    // a musically salient hit the player should click on
};

struct Section {
    std::string name;
    int firstBar;
    int endBar; // one past the last bar
};

struct Score {
    std::vector<Note> notes;
    std::vector<Section> sections;
};

// The whole song, note by note, in a fixed order.
Score composeSong();

} // namespace songgen
