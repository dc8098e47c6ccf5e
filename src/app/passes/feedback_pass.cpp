#include "app/passes/feedback_pass.h"

#include "app/frame_values.h"
#include "app/passes/overlay_painter.h"
#include "app/passes/pass_target.h"
#include "game/timing_feedback.h"

#include <string>

namespace {

constexpr glm::vec4 kMissColour{1.0f, 0.3f, 0.25f, 1.0f};

// The hit-error bar: ±250 ms along its length.
constexpr glm::vec2 kBarCentre{0.0f, -0.435f};
constexpr float kBarHalfLength = 0.2f;
constexpr float kBarHeight = 0.04f;
constexpr glm::vec2 kTickExtent{0.004f, 0.03f};
constexpr float kLabelGap = 0.015f;

// The offset hangs below the crosshair, clear of the cue under it.
constexpr float kReadoutDrop = 0.065f;
constexpr float kReadoutSize = 0.35f;
constexpr float kPreciseReadoutSize = 0.42f;
constexpr float kMissSize = 0.28f;
// The readout's plate: a glyph advances half its size, in tenths of the
// height; the plate reaches this far around the text.
constexpr float kGlyphAdvance = 0.05f;
constexpr glm::vec2 kPlateMargin{0.012f, 0.006f};
constexpr glm::vec4 kPlate{0.0f, 0.0f, 0.0f, 0.65f};
constexpr glm::vec2 kStreakAt{0.485f, -0.435f};
constexpr float kStreakSize = 0.35f;

glm::vec4 colourOf(game::ClickLook look) {
    switch (look) {
    case game::ClickLook::Early:
        return kEarlyColour;
    case game::ClickLook::Late:
        return kLateColour;
    case game::ClickLook::Precise:
        break;
    }
    return kPreciseColour;
}

} // namespace

// One overlay per text, so each is uploaded only when it changes.
struct FeedbackTexts {
    ShownText block;
    ShownText readout;
    ShownText miss;
    ShownText streak;
    ShownText early;
    ShownText late;
};

namespace {

void drawErrorBar(OverlayPainter& painter, FeedbackTexts& texts,
                  const game::TimingFeedback& feedback) {
    const float length = 2.0f * kBarHalfLength;
    const float preciseShare = static_cast<float>(game::kPreciseMs / game::kHitToleranceMs);
    painter.rect(kBarCentre, {length + 2.0f * kTickExtent.x, kBarHeight}, kShade);
    painter.rect(kBarCentre, {length * preciseShare, kBarHeight}, faded(kPreciseColour, 0.2f));
    painter.rect(kBarCentre, {length, kLineThickness}, faded(kWhite, 0.5f));
    game::BarTicks ticks;
    const int count = feedback.barTicks(ticks);
    // Oldest first, so the newest tick lies on top.
    for (int age = count - 1; age >= 0; --age) {
        const game::BarTick& tick = ticks[static_cast<std::size_t>(age)];
        const glm::vec2 at = kBarCentre + glm::vec2(tick.position * kBarHalfLength, 0.0f);
        painter.rect(at, kTickExtent, faded(colourOf(tick.look), tick.opacity));
    }
    painter.rect(kBarCentre, {kLineThickness, kBarHeight * 1.25f}, kWhite);
    const float labelX = kBarHalfLength + kTickExtent.x + kLabelGap;
    painter.text(texts.early, "EARLY", kLabelSize, kBarCentre - glm::vec2(labelX, 0.0f),
                 TextAnchor::Right, kEarlyColour);
    painter.text(texts.late, "LATE", kLabelSize, kBarCentre + glm::vec2(labelX, 0.0f),
                 TextAnchor::Left, kLateColour);
}

} // namespace

FeedbackPass::FeedbackPass() = default;
FeedbackPass::~FeedbackPass() = default;

void FeedbackPass::release() {
    texts.reset();
}

void FeedbackPass::draw(const FrameValues& values, const FeedbackFrame& frame) {
    if (frame.feedback == nullptr) {
        return;
    }
    if (!texts) {
        texts = std::make_unique<FeedbackTexts>();
    }
    OverlayPainter painter(values.overlayProjection, texts->block);
    for (const game::MissMark& mark : frame.feedback->missMarks()) {
        const float opacity = game::readoutOpacity(frame.nowMs - mark.atMs, game::kMissMarkShownMs);
        if (opacity <= 0.0f) {
            continue;
        }
        if (std::optional<glm::vec2> at =
                overlayPointOf(mark.place, values.view, values.projection)) {
            painter.text(texts->miss, "MISS", kMissSize, *at, TextAnchor::Centre,
                         faded(kMissColour, opacity));
        }
    }
    drawErrorBar(painter, *texts, *frame.feedback);
    painter.text(texts->streak, "STREAK " + std::to_string(frame.feedback->stats().streak()),
                 kStreakSize, kStreakAt, TextAnchor::Right, kWhite);
}

void FeedbackPass::drawClickReadout(const FrameValues& values, const FeedbackFrame& frame) {
    const std::optional<game::JudgedClick> click =
        frame.feedback != nullptr ? frame.feedback->shownClick(frame.nowMs) : std::nullopt;
    if (!click || !texts) {
        return;
    }
    backToScreen(values.width, values.height);
    OverlayPainter painter(values.overlayProjection, texts->block);
    const game::ClickLook look = game::lookOf(click->offsetMs);
    const float opacity = game::readoutOpacity(frame.nowMs - click->atMs, game::kReadoutShownMs);
    const float size = look == game::ClickLook::Precise ? kPreciseReadoutSize : kReadoutSize;
    const std::string readout = game::offsetReadout(click->offsetMs);
    const glm::vec2 at = frame.crosshair - glm::vec2(0.0f, kReadoutDrop);
    const glm::vec2 textExtent(static_cast<float>(readout.size()) * kGlyphAdvance * size,
                               2.0f * kGlyphAdvance * size);
    painter.rect(at, textExtent + 2.0f * kPlateMargin, faded(kPlate, opacity));
    painter.text(texts->readout, readout, size, at, TextAnchor::Centre,
                 faded(colourOf(look), opacity));
}
