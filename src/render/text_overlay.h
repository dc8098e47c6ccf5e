#pragma once

#include "platform/gl.h"

#include <glm/glm.hpp>

#include <string>
#include <vector>

class ShaderProgram;

// One block of screen text drawn from the font sheet: a point per character,
// which the "font" program's geometry stage turns into a glyph quad. The
// owner decides when it shows (visible) and lets messages expire by
// displayTime.
class TextOverlay {
public:
    static constexpr const char* kFontSheetPath = "Sprites/fonts.tga";

    // Takes the font sheet's texture, shared by every overlay drawing from
    // the same sheet (a transparent texture of its own when the sheet is
    // missing), and makes the GL objects; needs a current context.
    explicit TextOverlay(const std::string& sheetPath = kFontSheetPath);
    ~TextOverlay();
    TextOverlay(const TextOverlay&) = delete;
    TextOverlay& operator=(const TextOverlay&) = delete;

    // Lays out and uploads the text; line is where its first character
    // stands (0 on top), size the glyph size in tenths of the overlay height.
    // Makes the overlay visible and restarts its display time.
    void setText(std::string text, int line, float size);
    // Draws the points with the "font" program; overlay space is -0.5..0.5.
    // The tint multiplies the sheet's colours and opacity.
    void draw(const glm::mat4& modelView, const glm::mat4& projection, ShaderProgram* program,
              const glm::vec4& tint = glm::vec4(1.0f));

    const std::string fontSheetPath; // whose shared texture this overlay holds
    GLuint fontTexture = 0;          // the sheet's texture
    GLuint positionBuffer = 0;       // x, y, z per point
    GLuint fontBuffer = 0;           // character code, glyph size, 0 per point
    std::vector<float> positions;    // CPU copy of positionBuffer
    std::vector<float> fontData;     // CPU copy of fontBuffer
    int count = 0;                   // points in the buffers
    bool visible = false;            // the owner draws the overlay only while true
    double displayTime = 0.0;        // seconds since the text was last set, advanced by the owner
};
