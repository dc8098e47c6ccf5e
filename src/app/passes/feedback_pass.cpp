#include "app/passes/feedback_pass.h"

#include "app/frame_values.h"
#include "app/loop_state.h"
#include "app/passes/pass_target.h"
#include "app/shader_setup.h"
#include "game/timing_feedback.h"
#include "render/overlay_placement.h"
#include "render/shown_text.h"

#include <algorithm>
#include <string>

namespace {

// Early and late in colours apart for every kind of colour vision; precise
// hits in a third.
constexpr glm::vec4 kEarlyColour{0.35f, 0.72f, 1.0f, 1.0f};
constexpr glm::vec4 kLateColour{1.0f, 0.58f, 0.2f, 1.0f};
constexpr glm::vec4 kPreciseColour{0.55f, 1.0f, 0.45f, 1.0f};
constexpr glm::vec4 kMissColour{1.0f, 0.3f, 0.25f, 1.0f};
constexpr glm::vec4 kWhite{1.0f};
// Behind the bar and the histogram, so they read over a bright scene.
constexpr glm::vec4 kShade{0.0f, 0.0f, 0.0f, 0.45f};

// Overlay space is -0.5..0.5 across the window either way; sizes are glyph
// sizes in tenths of the window's height.
constexpr float kBlockSize = 1.0f;
constexpr float kLabelSize = 0.25f;
constexpr float kLineThickness = 0.003f;

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

// The end screen, below the accuracy and its rating (two lines at most).
constexpr glm::vec2 kSummaryAt{-0.48f, -0.115f};
constexpr float kSummarySize = 0.35f;
constexpr glm::vec2 kHistogramCorner{-0.48f, -0.29f}; // bottom left
constexpr glm::vec2 kHistogramExtent{0.3f, 0.1f};
constexpr float kHistogramBarShare = 0.8f; // of a bin's width; the rest is gap
constexpr glm::vec2 kAdviceAt{-0.48f, -0.345f};
constexpr float kAdviceSize = 0.3f;

// One overlay per text, so each is uploaded only when it changes.
struct FeedbackTexts {
    ShownText block;
    ShownText readout;
    ShownText miss;
    ShownText streak;
    ShownText early;
    ShownText late;
    ShownText lowest; // the histogram's scale
    ShownText zero;
    ShownText highest;
    ShownText summary;
    ShownText advice;
};

// Made on the first draw and freed only by releaseFeedbackOverlays, while
// the context exists.
FeedbackTexts* texts = nullptr;

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

glm::vec4 faded(glm::vec4 colour, float opacity) {
    colour.a *= opacity;
    return colour;
}

// Draws rectangles and texts in overlay space.
class Painter {
public:
    Painter(const FrameValues& values, FeedbackTexts& texts)
        : all(texts), projection(values.overlayProjection), font(programById(FontProgram)) {
        all.block.set(std::string(1, kBlockGlyph), 0, kBlockSize);
    }

    void rect(glm::vec2 centre, glm::vec2 extent, const glm::vec4& colour) {
        all.block.overlay.draw(placeBlock(kBlockSize, centre, extent), projection, font, colour);
    }

    // One drawing of a text; the same ShownText may be drawn again elsewhere.
    void text(ShownText& shown, const std::string& content, float size, glm::vec2 at,
              TextAnchor anchor, const glm::vec4& colour) {
        shown.set(content, 0, size);
        shown.overlay.draw(placeText(static_cast<int>(content.size()), size, at, anchor),
                           projection, font, colour);
    }

    FeedbackTexts& all;

private:
    const glm::mat4& projection;
    ShaderProgram* font;
};

void drawErrorBar(Painter& painter, const game::TimingFeedback& feedback) {
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
    painter.text(painter.all.early, "EARLY", kLabelSize, kBarCentre - glm::vec2(labelX, 0.0f),
                 TextAnchor::Right, kEarlyColour);
    painter.text(painter.all.late, "LATE", kLabelSize, kBarCentre + glm::vec2(labelX, 0.0f),
                 TextAnchor::Left, kLateColour);
}

void drawReadout(Painter& painter, const FeedbackFrame& frame) {
    const std::optional<game::JudgedClick> click = frame.feedback->shownClick(frame.nowMs);
    if (!click) {
        return;
    }
    const game::ClickLook look = game::lookOf(click->offsetMs);
    const float opacity = game::readoutOpacity(frame.nowMs - click->atMs, game::kReadoutShownMs);
    const float size = look == game::ClickLook::Precise ? kPreciseReadoutSize : kReadoutSize;
    const std::string readout = game::offsetReadout(click->offsetMs);
    const glm::vec2 at = frame.crosshair - glm::vec2(0.0f, kReadoutDrop);
    const glm::vec2 textExtent(static_cast<float>(readout.size()) * kGlyphAdvance * size,
                               2.0f * kGlyphAdvance * size);
    painter.rect(at, textExtent + 2.0f * kPlateMargin, faded(kPlate, opacity));
    painter.text(painter.all.readout, readout, size, at, TextAnchor::Centre,
                 faded(colourOf(look), opacity));
}

void drawMissMarks(Painter& painter, const FrameValues& values, const FeedbackFrame& frame) {
    for (const game::MissMark& mark : frame.feedback->missMarks()) {
        const float opacity = game::readoutOpacity(frame.nowMs - mark.atMs, game::kMissMarkShownMs);
        if (opacity <= 0.0f) {
            continue;
        }
        if (std::optional<glm::vec2> at =
                overlayPointOf(mark.place, values.view, values.projection)) {
            painter.text(painter.all.miss, "MISS", kMissSize, *at, TextAnchor::Centre,
                         faded(kMissColour, opacity));
        }
    }
}

void drawStreak(Painter& painter, const game::TimingStats& stats) {
    painter.text(painter.all.streak, "STREAK " + std::to_string(stats.streak()), kStreakSize,
                 kStreakAt, TextAnchor::Right, kWhite);
}

void drawHistogram(Painter& painter, const game::OffsetHistogram& bins) {
    const glm::vec2 centre = kHistogramCorner + 0.5f * kHistogramExtent;
    const glm::vec2 margin(0.01f);
    painter.rect(centre, kHistogramExtent + 2.0f * margin, kShade);
    const int most = std::max(1, *std::max_element(bins.begin(), bins.end()));
    const float binWidth = kHistogramExtent.x / game::kHistogramBins;
    for (int bin = 0; bin < game::kHistogramBins; ++bin) {
        const int count = bins[static_cast<std::size_t>(bin)];
        if (count == 0) {
            continue;
        }
        // Tall enough to see for a single hit.
        const float height =
            std::max(kHistogramExtent.y * static_cast<float>(count) / most, kLineThickness);
        const glm::vec2 at(kHistogramCorner.x + (static_cast<float>(bin) + 0.5f) * binWidth,
                           kHistogramCorner.y + 0.5f * height);
        const bool early = bin < game::kHistogramBins / 2;
        painter.rect(at, {binWidth * kHistogramBarShare, height},
                     early ? kEarlyColour : kLateColour);
    }
    painter.rect(centre, {kLineThickness, kHistogramExtent.y}, faded(kWhite, 0.6f));
    const float labelY = kHistogramCorner.y - margin.y - 0.5f * kLabelSize * 0.1f;
    const float right = kHistogramCorner.x + kHistogramExtent.x;
    painter.text(painter.all.lowest, "-250", kLabelSize, {kHistogramCorner.x, labelY},
                 TextAnchor::Left, kWhite);
    painter.text(painter.all.zero, "0", kLabelSize, {centre.x, labelY}, TextAnchor::Centre, kWhite);
    painter.text(painter.all.highest, "+250 ms", kLabelSize, {right, labelY}, TextAnchor::Right,
                 kWhite);
}

void drawEndOfSong(Painter& painter, const game::TimingStats& stats, const EndOfSong& end) {
    painter.text(painter.all.summary, end.summary, kSummarySize, kSummaryAt, TextAnchor::Left,
                 kWhite);
    drawHistogram(painter, stats.histogram());
    if (!end.advice.empty()) {
        painter.text(painter.all.advice, end.advice, kAdviceSize, kAdviceAt, TextAnchor::Left,
                     kWhite);
    }
}

} // namespace

void drawFeedback(const FrameValues& values, const FeedbackFrame& frame) {
    if (frame.feedback == nullptr) {
        return;
    }
    if (texts == nullptr) {
        texts = new FeedbackTexts();
    }
    Painter painter(values, *texts);
    drawMissMarks(painter, values, frame);
    drawErrorBar(painter, *frame.feedback);
    drawStreak(painter, frame.feedback->stats());
    if (frame.endOfSong != nullptr) {
        drawEndOfSong(painter, frame.feedback->stats(), *frame.endOfSong);
    }
}

void drawClickReadout(const FrameValues& values, const FeedbackFrame& frame) {
    if (frame.feedback == nullptr || texts == nullptr) {
        return;
    }
    backToScreen(values.width, values.height);
    Painter painter(values, *texts);
    drawReadout(painter, frame);
}

void releaseFeedbackOverlays() {
    delete texts;
    texts = nullptr;
}
