#pragma once

#include <glm/glm.hpp>

struct EndOfSong;
struct FrameValues;

namespace game {
class TimingFeedback;
}

// What the player is told about their timing on one frame.
struct FeedbackFrame {
    const game::TimingFeedback* feedback = nullptr;
    double nowMs = 0.0;                   // the song position: the feedback's clock
    glm::vec2 crosshair{0.0f};            // where the crosshair is, in overlay space
    const EndOfSong* endOfSong = nullptr; // set once the song is over
};

// Draws, in screen space over the bound target: a mark on each cue just
// missed, the hit-error bar at the bottom centre, the streak in the bottom
// right corner, and once the song is over its timing summary, a histogram of
// the offsets and advice on offset_ms. The GL overlays are made on the first
// call.
void drawFeedback(const FrameValues& values, const FeedbackFrame& frame);

// The latest click's offset below the crosshair, on a dark plate, onto the
// window: drawn after every effect, so a hit cue's explosion, its glow and
// the light shafts never cover it.
void drawClickReadout(const FrameValues& values, const FeedbackFrame& frame);

// Frees the overlays' GL objects; call while the context still exists.
void releaseFeedbackOverlays();
