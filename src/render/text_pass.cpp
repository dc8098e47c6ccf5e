#include "render/text_pass.h"

#include "render/text_overlay.h"

namespace {

// A GL overlay and the text last uploaded into it.
struct ShownText {
    TextOverlay overlay;
    std::string text;
    int line = -1;
    float size = 0.0f;

    void show(const OverlayText& wanted, const glm::mat4& projection, ShaderProgram* program) {
        if (wanted.visible && (wanted.text != text || wanted.line != line || wanted.size != size)) {
            overlay.setText(wanted.text, wanted.line, wanted.size);
            text = wanted.text;
            line = wanted.line;
            size = wanted.size;
        }
        // The loop times the texts; the overlay follows it.
        overlay.visible = wanted.visible;
        overlay.displayTime = wanted.displayTime;
        if (overlay.visible) {
            overlay.draw(glm::mat4(1.0f), projection, program);
        }
    }
};

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
    screenTexts->message.show(message, overlayProjection, fontProgram);
    screenTexts->fps.show(fps, overlayProjection, fontProgram);
}

void releaseTextOverlays() {
    delete screenTexts;
    screenTexts = nullptr;
}
