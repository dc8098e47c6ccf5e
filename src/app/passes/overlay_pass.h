#pragma once

class EndScreenPass;
class FeedbackPass;
struct EndOfSong;
struct FeedbackFrame;
struct FrameValues;
struct OverlayText;
struct SpecialNodes;

// What the full render draws over the world in screen space: the crosshair
// at the mouse and the two texts. They stay where they are on the screen
// whatever the camera does.
struct FrameOverlays {
    bool crosshair = false; // CROSSHAIR is on
    int mouseX = 0;         // where the crosshair goes, window pixels
    int mouseY = 0;
    const OverlayText* message = nullptr;    // the command messages
    const OverlayText* fps = nullptr;        // the statistics line
    const FeedbackFrame* feedback = nullptr; // the timing feedback; null while F6 has it off
    const EndOfSong* endOfSong = nullptr;    // the end screen; null while none is shown
    bool endTiming = false;                  // the end screen's timing part (F6)
    FeedbackPass* feedbackPass = nullptr;    // the two draw their texts through these
    EndScreenPass* endScreenPass = nullptr;
    double practiceSpeed = 0.0; // the practice's speed; 0 outside a practice
};

// Draws the crosshair (when on), the timing feedback (when on), the end
// screen (once shown), in a practice "PRACTICE 0.75×" in the top left
// corner, then the message text and the statistics line (each while
// visible) into the bound target.
void drawOverlays(const FrameValues& values, SpecialNodes& nodes, const FrameOverlays& overlays);
