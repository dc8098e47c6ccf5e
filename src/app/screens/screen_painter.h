#pragma once

#include "render/overlay_placement.h"
#include "render/shown_text.h"

#include <glm/glm.hpp>

#include <string>

struct ScreenCanvas;

// Draws a screen's texts and rectangles in overlay space (-0.5..0.5 either
// way, y up) with the font program; each ShownText is uploaded only when its
// text changes, so a screen can set its texts on every frame.
class ScreenPainter {
public:
    explicit ScreenPainter(const ScreenCanvas& canvas);

    // Clears the window to the game's background.
    void clear() const;
    // One line of text whose anchor point lands on `at`.
    void text(ShownText& shown, const std::string& content, float size, glm::vec2 at,
              TextAnchor anchor, const glm::vec4& colour) const;
    // A filled rectangle of that centre and full extent, from the font's
    // block glyph held in `block`.
    void rect(ShownText& block, glm::vec2 centre, glm::vec2 extent, const glm::vec4& colour) const;
    // A width for `height` in overlay space that makes a square on screen.
    float squareWidth(float height) const { return height * aspect; }

private:
    glm::mat4 projection;
    float aspect; // height over width of the window
};
