#pragma once

#include <string>

// What the player did on the select screen since the last frame: keys as
// strokes (a held key repeats, as in any list), the text typed, the wheel
// and a click. Gathered from the window by readSelectInput; tests fill it.
struct SelectInput {
    std::string typed; // UTF-8
    int up = 0;
    int down = 0;
    int pageUp = 0;
    int pageDown = 0;
    int home = 0;
    int end = 0;
    int left = 0;
    int right = 0;
    int enter = 0;
    int backspace = 0;
    int tab = 0;
    int escape = 0;
    int calibrate = 0;   // F2
    int practise = 0;    // F3
    double scroll = 0.0; // wheel steps, up positive
    bool click = false;  // the left button went down
    int mouseX = 0;      // the cursor in window pixels, y down
    int mouseY = 0;
};

// This frame's input from the window.
SelectInput readSelectInput();
