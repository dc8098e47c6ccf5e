#include "app/passes/practice_label.h"

#include "app/frame_values.h"
#include "app/shader_setup.h"
#include "game/practice.h"
#include "render/overlay_placement.h"
#include "render/shown_text.h"

namespace {

constexpr glm::vec2 kLabelAt{-0.485f, 0.46f};
constexpr float kLabelSize = 0.35f;
constexpr glm::vec4 kLabelColour{1.0f, 0.85f, 0.3f, 1.0f};

ShownText* label = nullptr;

} // namespace

void drawPracticeLabel(const FrameValues& values, double speed) {
    if (label == nullptr) {
        label = new ShownText();
    }
    const std::string text = "PRACTICE " + game::speedText(speed) + kTimesGlyph;
    label->set(text, 0, kLabelSize);
    label->overlay.draw(
        placeText(static_cast<int>(text.size()), kLabelSize, kLabelAt, TextAnchor::Left),
        values.overlayProjection, programById(FontProgram), kLabelColour);
}

void releasePracticeLabel() {
    delete label;
    label = nullptr;
}
