#include "render/text_pass.h"

#include "render/shown_text.h"

namespace {

// Draws a text as the loop wants it shown; the loop times the texts and the
// overlay follows it.
void show(ShownText& shown, const OverlayText& wanted, const glm::mat4& projection,
          ShaderProgram* program) {
    if (wanted.visible) {
        shown.set(wanted.text, wanted.line, wanted.size);
    }
    TextOverlay& overlay = shown.overlay;
    overlay.visible = wanted.visible;
    overlay.displayTime = wanted.displayTime;
    if (overlay.visible) {
        overlay.draw(glm::mat4(1.0f), projection, program);
    }
}

struct ScreenTexts {
    ShownText message;
    ShownText fps;
};

// Freed only by releaseTextOverlays: freeing it at process exit would call
// the GL after the context is gone.
ScreenTexts* screenTexts = nullptr;

} // namespace

void createTextOverlays() {
    releaseTextOverlays();
    screenTexts = new ScreenTexts();
}

void drawTextOverlays(const OverlayText& message, const OverlayText& fps,
                      const glm::mat4& overlayProjection, ShaderProgram* fontProgram) {
    if (screenTexts == nullptr) {
        return;
    }
    show(screenTexts->message, message, overlayProjection, fontProgram);
    show(screenTexts->fps, fps, overlayProjection, fontProgram);
}

void releaseTextOverlays() {
    delete screenTexts;
    screenTexts = nullptr;
}
