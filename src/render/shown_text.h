#pragma once

#include "render/text_overlay.h"

#include <string>

// A GL text overlay and what was last uploaded into it: setting the text it
// already holds costs nothing, so a text can be set on every frame.
class ShownText {
public:
    // Lays the text out and uploads it only when it, its line or its size
    // changed.
    void set(const std::string& wanted, int wantedLine, float wantedSize);

    TextOverlay overlay;

private:
    std::string text;
    int line = -1;
    float size = 0.0f;
};
