#pragma once

#include "prng.h"
#include "score.h"
#include "stereo_buffer.h"

namespace songgen {

// Drums: each starts at full level on its first sample, so the attack the
// player hears is exactly the note's start.
void renderKick(const Note& note, StereoBuffer& out, Prng& noise);
void renderSnare(const Note& note, StereoBuffer& out, Prng& noise);
void renderHat(const Note& note, StereoBuffer& out, Prng& noise);
void renderTom(const Note& note, StereoBuffer& out, Prng& noise);
void renderCrash(const Note& note, StereoBuffer& out, Prng& noise);
void renderRiser(const Note& note, StereoBuffer& out, Prng& noise);

// Pitched voices.
void renderBass(const Note& note, StereoBuffer& out);
void renderPad(const Note& note, StereoBuffer& out);
void renderLead(const Note& note, StereoBuffer& out);
void renderArp(const Note& note, StereoBuffer& out);
void renderBell(const Note& note, StereoBuffer& out);

} // namespace songgen
