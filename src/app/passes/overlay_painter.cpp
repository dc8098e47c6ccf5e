#include "app/passes/overlay_painter.h"

#include "app/shader_setup.h"

namespace {

constexpr float kBlockSize = 1.0f;

} // namespace

glm::vec4 faded(glm::vec4 colour, float opacity) {
    colour.a *= opacity;
    return colour;
}

OverlayPainter::OverlayPainter(const glm::mat4& overlayProjection, ShownText& blockText)
    : projection(overlayProjection), block(blockText), font(programById(FontProgram)) {
    block.set(std::string(1, kBlockGlyph), 0, kBlockSize);
}

void OverlayPainter::rect(glm::vec2 centre, glm::vec2 extent, const glm::vec4& colour) {
    block.overlay.draw(placeBlock(kBlockSize, centre, extent), projection, font, colour);
}

void OverlayPainter::text(ShownText& shown, const std::string& content, float size, glm::vec2 at,
                          TextAnchor anchor, const glm::vec4& colour) {
    shown.set(content, 0, size);
    shown.overlay.draw(placeText(static_cast<int>(content.size()), size, at, anchor), projection,
                       font, colour);
}
