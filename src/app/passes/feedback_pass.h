#pragma once

#include <glm/glm.hpp>

#include <memory>

struct FeedbackTexts;
struct FrameValues;

namespace game {
class TimingFeedback;
}

// What the player is told about their timing on one frame.
struct FeedbackFrame {
    const game::TimingFeedback* feedback = nullptr;
    double nowMs = 0.0;        // the song position: the feedback's clock
    glm::vec2 crosshair{0.0f}; // where the crosshair is, in overlay space
};

// The timing feedback in play: a mark on each cue just missed, the
// hit-error bar at the bottom centre and the streak in the bottom right
// corner, in screen space over the bound target; and the latest click's
// offset below the crosshair. Its GL texts are made on the first draw and
// kept with the other frame objects.
class FeedbackPass {
public:
    FeedbackPass();
    ~FeedbackPass();
    FeedbackPass(const FeedbackPass&) = delete;
    FeedbackPass& operator=(const FeedbackPass&) = delete;

    void draw(const FrameValues& values, const FeedbackFrame& frame);
    // The latest click's offset on a dark plate, onto the window: drawn after
    // every effect, so a hit cue's explosion, its glow and the light shafts
    // never cover it.
    void drawClickReadout(const FrameValues& values, const FeedbackFrame& frame);
    // Frees the GL texts; call while the context still exists.
    void release();

private:
    std::unique_ptr<FeedbackTexts> texts;
};
