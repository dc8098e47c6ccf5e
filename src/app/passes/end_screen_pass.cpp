#include "app/passes/end_screen_pass.h"

#include "app/end_of_song.h"
#include "app/frame_values.h"
#include "app/passes/overlay_painter.h"

#include <algorithm>

namespace {

// Below the accuracy and its rating (two lines at most).
constexpr glm::vec2 kSummaryAt{-0.48f, -0.115f};
constexpr float kSummarySize = 0.35f;
constexpr glm::vec2 kHistogramCorner{-0.48f, -0.29f}; // bottom left
constexpr glm::vec2 kHistogramExtent{0.3f, 0.1f};
constexpr float kHistogramBarShare = 0.8f; // of a bin's width; the rest is gap
constexpr glm::vec2 kAdviceAt{-0.48f, -0.345f};
constexpr float kAdviceSize = 0.3f;
// Beside the histogram, where the eye goes after the counts.
constexpr glm::vec2 kBestAt{-0.12f, -0.2f};
constexpr float kBestSize = 0.45f;
constexpr glm::vec2 kSavedAt{-0.12f, -0.26f};
constexpr float kSavedSize = 0.25f;
constexpr glm::vec4 kNewBestColour{1.0f, 0.85f, 0.3f, 1.0f};

} // namespace

// One overlay per text, so each is uploaded only when it changes.
struct EndScreenTexts {
    ShownText block;
    ShownText lowest; // the histogram's scale
    ShownText zero;
    ShownText highest;
    ShownText summary;
    ShownText advice;
    ShownText best;
    ShownText saved;
};

namespace {

void drawHistogram(OverlayPainter& painter, EndScreenTexts& texts,
                   const game::OffsetHistogram& bins) {
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
    painter.text(texts.lowest, "-250", kLabelSize, {kHistogramCorner.x, labelY}, TextAnchor::Left,
                 kWhite);
    painter.text(texts.zero, "0", kLabelSize, {centre.x, labelY}, TextAnchor::Centre, kWhite);
    painter.text(texts.highest, "+250 ms", kLabelSize, {right, labelY}, TextAnchor::Right, kWhite);
}

} // namespace

EndScreenPass::EndScreenPass() = default;
EndScreenPass::~EndScreenPass() = default;

void EndScreenPass::release() {
    texts.reset();
}

void EndScreenPass::draw(const FrameValues& values, const EndOfSong& end, bool timing) {
    if (!texts) {
        texts = std::make_unique<EndScreenTexts>();
    }
    OverlayPainter painter(values.overlayProjection, texts->block);
    if (timing) {
        painter.text(texts->summary, end.summary, kSummarySize, kSummaryAt, TextAnchor::Left,
                     kWhite);
        drawHistogram(painter, *texts, end.stats.histogram());
        if (!end.advice.empty()) {
            painter.text(texts->advice, end.advice, kAdviceSize, kAdviceAt, TextAnchor::Left,
                         kWhite);
        }
    }
    if (!end.best.empty()) {
        painter.text(texts->best, end.best, kBestSize, kBestAt, TextAnchor::Left,
                     end.newBest ? kNewBestColour : kWhite);
    }
    if (end.saved) {
        painter.text(texts->saved, "saved", kSavedSize, kSavedAt, TextAnchor::Left,
                     faded(kWhite, 0.7f));
    }
}
