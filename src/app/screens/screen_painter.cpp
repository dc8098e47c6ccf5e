#include "app/screens/screen_painter.h"

#include "app/screens/screen.h"
#include "app/shader_setup.h"
#include "platform/gl.h"

#include <glm/gtc/matrix_transform.hpp>

namespace {

constexpr float kBlockSize = 1.0f;

} // namespace

ScreenPainter::ScreenPainter(const ScreenCanvas& canvas)
    : projection(glm::ortho(-0.5f, 0.5f, -0.5f, 0.5f, 0.0f, 1.0f)),
      aspect(canvas.width > 0 ? static_cast<float>(canvas.height) / canvas.width : 1.0f) {
    glViewport(0, 0, canvas.width, canvas.height);
}

void ScreenPainter::clear() const {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void ScreenPainter::text(ShownText& shown, const std::string& content, float size, glm::vec2 at,
                         TextAnchor anchor, const glm::vec4& colour) const {
    shown.set(content, 0, size);
    shown.overlay.draw(placeText(static_cast<int>(content.size()), size, at, anchor), projection,
                       programById(FontProgram), colour);
}

void ScreenPainter::rect(ShownText& block, glm::vec2 centre, glm::vec2 extent,
                         const glm::vec4& colour) const {
    block.set(std::string(1, kBlockGlyph), 0, kBlockSize);
    block.overlay.draw(placeBlock(kBlockSize, centre, extent), projection, programById(FontProgram),
                       colour);
}
