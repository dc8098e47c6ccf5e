#include "app/passes/select_screen_pass.h"

#include "app/frame_values.h"
#include "app/passes/overlay_painter.h"
#include "app/screens/select_layout.h"
#include "app/screens/select_screen.h"
#include "app/screens/select_text.h"
#include "platform/gl.h"

#include <array>
#include <string>

using namespace selectlayout;

namespace {

constexpr glm::vec4 kDim{0.62f, 0.66f, 0.72f, 1.0f};
constexpr glm::vec4 kGreyed{0.5f, 0.5f, 0.52f, 0.8f};
constexpr glm::vec4 kAccent{1.0f, 0.72f, 0.28f, 1.0f};
constexpr glm::vec4 kPanel{0.0f, 0.0f, 0.02f, 0.62f};
constexpr glm::vec4 kChosenBand{1.0f, 0.62f, 0.18f, 0.22f};
constexpr glm::vec4 kBarBack{1.0f, 1.0f, 1.0f, 0.15f};
constexpr float kPanelTop = 0.35f;
constexpr float kPanelBottom = -0.495f;
constexpr float kDensityGap = 0.015f;

constexpr const char* kSongKeys =
    "Up/Down choose   Left/Right density   Enter play   Tab last plays   Esc quit";
constexpr const char* kMoreSongKeys =
    "F3 practise where you missed most   F2 calibrate your latency";
// The second line of keys, under the first.
constexpr float kMoreKeysY = kHelpY - 0.03f;
constexpr const char* kHistoryKeys = "Up/Down choose   Enter show the play   Tab back   Esc quit";
constexpr const char* kStoredPlayKeys = "Enter or Tab: back to the last plays   Esc quit";

} // namespace

// One GL text per thing that changes on its own, so each is uploaded only
// when it changes.
struct SelectTexts {
    ShownText block;
    ShownText title;
    std::array<ShownText, 3> densities;
    ShownText filter;
    ShownText charted;
    ShownText header;
    std::array<ShownText, kRows> rows;
    ShownText detail;
    ShownText keys;
    ShownText moreKeys;
};

SelectScreenPass::SelectScreenPass() = default;
SelectScreenPass::~SelectScreenPass() = default;

void SelectScreenPass::release() {
    texts.reset();
}

void SelectScreenPass::draw(const FrameValues& values, const SelectScreen& screen) {
    if (!texts) {
        texts = std::make_unique<SelectTexts>();
    }
    SelectTexts& all = *texts;
    OverlayPainter painter(values.overlayProjection, all.block);
    const library::SongLibrary& library = screen.library();
    const library::SongList& list = library.list();
    glDisable(GL_DEPTH_TEST);

    if (screen.showingStoredPlay()) {
        // The end screen is the picture; only the way back is ours.
        painter.rect({0.0f, kHelpY}, {kRight - kLeft, 0.04f}, kPanel);
        painter.text(all.keys, kStoredPlayKeys, kTextSize, {0.0f, kHelpY}, TextAnchor::Centre,
                     kDim);
        glEnable(GL_DEPTH_TEST);
        return;
    }
    painter.rect({0.0f, 0.5f * (kPanelTop + kPanelBottom)},
                 {kRight - kLeft + 0.02f, kPanelTop - kPanelBottom}, kPanel);
    painter.text(all.title, "CUEFLIGHT", kTitleSize, {kLeft, kTitleY}, TextAnchor::Left, kAccent);

    // The densities, the chosen one bright, from the right edge leftwards.
    float right = kRight;
    for (int i = 2; i >= 0; --i) {
        const auto density = static_cast<library::Density>(i);
        const std::string name = selecttext::upper(library::densityName(density));
        const bool chosen = density == list.density;
        painter.text(all.densities[static_cast<std::size_t>(i)], name, chosen ? 0.32f : kTextSize,
                     {right, kTitleY}, TextAnchor::Right, chosen ? kAccent : kDim);
        right -=
            static_cast<float>(name.size()) * 0.05f * (chosen ? 0.32f : kTextSize) + kDensityGap;
    }

    const std::string filter = list.filter().empty()
                                   ? "type to filter"
                                   : "filter: " + library::drawableText(list.filter());
    painter.text(all.filter, filter, kTextSize, {kLeft, kFilterY}, TextAnchor::Left,
                 list.filter().empty() ? kDim : kWhite);
    const std::string charted =
        library.toolProblem().empty()
            ? selecttext::chartedLine(library.chartedCount(), library.playableCount(),
                                      library.scanning())
            : "cannot chart: " + library.toolProblem();
    painter.text(all.charted, selecttext::fitted(charted, 40), kTextSize, {kRight, kFilterY},
                 TextAnchor::Right, kDim);

    if (screen.showingHistory()) {
        const library::SongRow* row = list.chosenRow();
        painter.text(all.header,
                     "LAST PLAYS OF " +
                         selecttext::fitted(row ? library::drawableText(row->name()) : "", 60),
                     kRowTextSize, {kLeft, kHeaderY}, TextAnchor::Left, kDim);
        const auto& plays = screen.history();
        for (int i = 0; i < kRows; ++i) {
            const bool shown = i < static_cast<int>(plays.size());
            const std::string line =
                shown ? selecttext::historyLine(plays[static_cast<std::size_t>(i)])
                      : std::string(i == 0 ? "No plays yet." : "");
            if (shown && i == screen.chosenPlay()) {
                painter.rect({0.0f, rowCentreY(i)}, {kRight - kLeft, kRowPitch * 0.9f},
                             kChosenBand);
            }
            painter.text(all.rows[static_cast<std::size_t>(i)], line, kRowTextSize,
                         {kLeft, rowCentreY(i)}, TextAnchor::Left,
                         shown && i == screen.chosenPlay() ? kAccent : kWhite);
        }
        painter.text(all.keys, kHistoryKeys, kTextSize, {0.0f, kHelpY}, TextAnchor::Centre, kDim);
        glEnable(GL_DEPTH_TEST);
        return;
    }

    painter.text(all.header, selecttext::headerLine(), kRowTextSize, {kLeft, kHeaderY},
                 TextAnchor::Left, kDim);
    for (int i = 0; i < kRows; ++i) {
        const int index = list.topIndex() + i;
        if (index >= list.shownCount()) {
            all.rows[static_cast<std::size_t>(i)].set("", 0, kRowTextSize);
            continue;
        }
        const library::SongRow& row = list.shownRow(index);
        const bool chosen = index == list.chosenIndex();
        if (chosen) {
            painter.rect({0.0f, rowCentreY(i)}, {kRight - kLeft, kRowPitch * 0.9f}, kChosenBand);
        }
        const glm::vec4 colour = !row.problem.empty() ? kGreyed : chosen ? kAccent : kWhite;
        painter.text(all.rows[static_cast<std::size_t>(i)], selecttext::rowLine(row), kRowTextSize,
                     {kLeft, rowCentreY(i)}, TextAnchor::Left, colour);
    }

    std::string detail;
    float progress = -1.0f;
    if (const library::SongRow* waiting = screen.waitingFor()) {
        detail = selecttext::fitted(
            "Charting " + library::drawableText(waiting->name()) +
                " before it plays: " + std::to_string(waiting->chartingPercent) + " %",
            78);
        progress = static_cast<float>(waiting->chartingPercent) / 100.0f;
    } else if (const library::SongRow* row = list.chosenRow()) {
        detail = selecttext::detailLine(*row, list.density);
    } else if (list.shownCount() == 0) {
        detail = list.rows().empty() ? "No songs yet" : "No song matches the filter";
    }
    painter.text(all.detail, detail, kTextSize, {kLeft, kDetailY}, TextAnchor::Left, kWhite);
    if (progress >= 0.0f) {
        const float width = kRight - kLeft;
        const float y = kDetailY - 0.028f;
        painter.rect({0.0f, y}, {width, 0.012f}, kBarBack);
        painter.rect({kLeft + 0.5f * width * progress, y}, {width * progress, 0.012f}, kAccent);
    }
    painter.text(all.keys, kSongKeys, kTextSize, {0.0f, kHelpY}, TextAnchor::Centre, kDim);
    painter.text(all.moreKeys, kMoreSongKeys, kTextSize, {0.0f, kMoreKeysY}, TextAnchor::Centre,
                 kDim);
    glEnable(GL_DEPTH_TEST);
}
