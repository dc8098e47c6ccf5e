#pragma once

#include "render/overlay_placement.h"
#include "render/shown_text.h"

#include <glm/glm.hpp>

#include <string>

class ShaderProgram;

// Colours and sizes the timing feedback and the end screen share. Early and
// late in colours apart for every kind of colour vision; precise hits in a
// third.
constexpr glm::vec4 kEarlyColour{0.35f, 0.72f, 1.0f, 1.0f};
constexpr glm::vec4 kLateColour{1.0f, 0.58f, 0.2f, 1.0f};
constexpr glm::vec4 kPreciseColour{0.55f, 1.0f, 0.45f, 1.0f};
constexpr glm::vec4 kWhite{1.0f};
// Behind bars and histograms, so they read over a bright scene.
constexpr glm::vec4 kShade{0.0f, 0.0f, 0.0f, 0.45f};
// Overlay space is -0.5..0.5 across the window either way; sizes are glyph
// sizes in tenths of the window's height.
constexpr float kLabelSize = 0.25f;
constexpr float kLineThickness = 0.003f;

glm::vec4 faded(glm::vec4 colour, float opacity);

// Draws rectangles (one stretched block glyph) and texts in overlay space
// with the font program.
class OverlayPainter {
public:
    OverlayPainter(const glm::mat4& projection, ShownText& block);

    void rect(glm::vec2 centre, glm::vec2 extent, const glm::vec4& colour);
    // One drawing of a text; the same ShownText may be drawn again elsewhere.
    void text(ShownText& shown, const std::string& content, float size, glm::vec2 at,
              TextAnchor anchor, const glm::vec4& colour);

private:
    const glm::mat4& projection;
    ShownText& block;
    ShaderProgram* font;
};
