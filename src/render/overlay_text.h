#pragma once

#include <string>

// What one on-screen text block shows: the text, where and how large, and
// whether and for how long it has been on screen. The loop decides what is
// shown and when it expires; the text overlay renders it.
struct OverlayText {
    std::string text;         // the overlay breaks lines at the two characters '\' 'n'
    int line = 0;             // line of the first character, 0 at the top
    float size = 0.3f;        // glyph size in tenths of the screen height
    bool visible = false;     // drawn only while true
    double displayTime = 0.0; // seconds on screen since the text was last set
    // Whether a frame has been drawn since the text was set. Time counts only
    // from then on, so on a machine drawing less than one frame a second a
    // message still reaches the screen before it expires.
    bool presented = false;

    // Replaces the text and starts its display time afresh.
    void setText(const std::string& newText, int newLine, float newSize) {
        text = newText;
        line = newLine;
        size = newSize;
        visible = true;
        displayTime = 0.0;
        presented = false;
    }
};
