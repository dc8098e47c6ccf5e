#include "app/screens/select_screen.h"

#include "app/screens/select_layout.h"

#include <algorithm>
#include <cmath>
#include <iostream>
#include <unordered_map>
#include <utility>

namespace {

int densityIndex(const std::string& name) {
    for (library::Density density : library::kDensities) {
        if (name == library::densityName(density)) {
            return static_cast<int>(density);
        }
    }
    return -1;
}

} // namespace

SelectScreen::SelectScreen(library::SongLibrary& songs, store::ScoreStore* scores)
    : songs(songs), scores(scores) {
    songs.list().setPageRows(selectlayout::kRows);
}

const library::SongRow* SelectScreen::waitingFor() const {
    return waitingPath.empty() ? nullptr : std::as_const(songs).list().find(waitingPath);
}

SelectAction SelectScreen::frame(const SelectInput& input, double now, int windowWidth,
                                 int windowHeight) {
    if (input.escape > 0) {
        return SelectAction::only(SelectAction::Kind::Quit);
    }
    if (!bestsFetched && !songs.scanning()) {
        refreshBests(); // once every song has its identity
    }
    if (storedPlayShown) {
        // The stored play's end screen stays until Enter or Tab takes the
        // player back to the history it came from.
        if (input.enter > 0 || input.tab > 0) {
            storedPlayShown = false;
        }
        return {};
    }
    SelectAction action =
        historyShown ? onHistory(input) : onSongs(input, now, windowWidth, windowHeight);
    if (action.kind == SelectAction::Kind::None) {
        action = followWaiting();
    }
    return action;
}

SelectAction SelectScreen::onSongs(const SelectInput& input, double now, int windowWidth,
                                   int windowHeight) {
    library::SongList& list = songs.list();
    if (!input.typed.empty()) {
        list.type(input.typed);
    }
    for (int i = 0; i < input.backspace; ++i) {
        list.eraseLast();
    }
    list.move(input.down - input.up);
    for (int i = 0; i < input.pageDown; ++i) {
        list.pageDown();
    }
    for (int i = 0; i < input.pageUp; ++i) {
        list.pageUp();
    }
    if (input.home > 0) {
        list.home();
    }
    if (input.end > 0) {
        list.end();
    }
    for (int i = 0; i < input.left; ++i) {
        list.easier();
    }
    for (int i = 0; i < input.right; ++i) {
        list.harder();
    }
    if (input.scroll != 0.0) {
        list.scroll(-static_cast<int>(std::lround(input.scroll * 3.0)));
    }
    if (input.click && windowHeight > 0 && windowWidth > 0) {
        const float overlayY = 0.5f - static_cast<float>(input.mouseY) / windowHeight;
        const int row = selectlayout::rowAt(overlayY);
        if (row >= 0 && list.topIndex() + row < list.shownCount()) {
            list.choose(list.topIndex() + row);
            const std::filesystem::path clicked = list.chosenRow()->path;
            const bool second =
                clicked == lastClickedPath && now - lastClickAt <= kDoubleClickSeconds;
            lastClickedPath = second ? std::filesystem::path() : clicked;
            lastClickAt = now;
            if (second) {
                return play(*list.chosenRow());
            }
        }
    }
    const library::SongRow* chosen = list.chosenRow();
    if (chosen == nullptr) {
        return {};
    }
    if (input.tab > 0 && scores != nullptr && !chosen->identity.empty()) {
        try {
            plays = scores->history(chosen->identity, 10);
        } catch (const std::exception& failure) {
            std::cerr << "cueflight: cannot read the history: " << failure.what() << std::endl;
            plays.clear();
        }
        historyShown = true;
        playChosen = 0;
        return {};
    }
    if (input.enter > 0) {
        return play(*chosen);
    }
    if (input.practise > 0) {
        return play(*chosen, passageToPractise(*chosen));
    }
    if (input.calibrate > 0) {
        return SelectAction::only(SelectAction::Kind::Calibrate);
    }
    return {};
}

game::PracticeRange SelectScreen::passageToPractise(const library::SongRow& row) const {
    std::vector<double> misses;
    if (scores != nullptr && !row.identity.empty()) {
        const std::string density = library::densityName(songs.list().density);
        try {
            const std::optional<long long> lastId = scores->lastOwnPlay(row.identity, density);
            if (std::optional<store::PlayRecord> last =
                    lastId ? scores->readPlay(*lastId) : std::nullopt) {
                for (const store::CueResult& cue : last->cues) {
                    if (cue.outcome != store::CueOutcome::Hit) {
                        misses.push_back(cue.timeMs);
                    }
                }
            }
        } catch (const std::exception& failure) {
            std::cerr << "cueflight: cannot read the history: " << failure.what() << std::endl;
        }
    }
    return game::offeredPassage(std::move(misses), row.loudestMs(),
                                static_cast<double>(row.lengthMs));
}

SelectAction SelectScreen::onHistory(const SelectInput& input) {
    if (input.tab > 0) {
        historyShown = false;
        return {};
    }
    const int count = static_cast<int>(plays.size());
    if (count > 0) {
        playChosen = std::clamp(playChosen + input.down - input.up, 0, count - 1);
    }
    if (input.enter > 0 && count > 0 && scores != nullptr) {
        std::optional<store::PlayRecord> play;
        try {
            play = scores->readPlay(plays[static_cast<std::size_t>(playChosen)].id);
        } catch (const std::exception& failure) {
            std::cerr << "cueflight: cannot read the play: " << failure.what() << std::endl;
        }
        if (play) {
            storedPlayShown = true;
            SelectAction shown = SelectAction::only(SelectAction::Kind::StoredPlay);
            shown.play = std::move(play);
            return shown;
        }
    }
    return {};
}

SelectAction SelectScreen::play(const library::SongRow& row,
                                std::optional<game::PracticeRange> practice) {
    if (!row.problem.empty()) {
        return {};
    }
    const library::Density density = songs.list().density;
    if (std::optional<std::filesystem::path> folder = songs.playFolder(row, density)) {
        waitingPath.clear();
        return {SelectAction::Kind::Play, *folder, density, std::nullopt, practice};
    }
    songs.chartFirst(row, density);
    waitingPath = row.path;
    waitingDensity = density;
    waitingPractice = practice;
    return {};
}

SelectAction SelectScreen::followWaiting() {
    const library::SongRow* row = waitingFor();
    if (row == nullptr) {
        waitingPath.clear();
        return {};
    }
    if (!row->problem.empty()) {
        waitingPath.clear(); // it could not be charted: its row says why
        return {};
    }
    if (std::optional<std::filesystem::path> folder = songs.playFolder(*row, waitingDensity)) {
        waitingPath.clear();
        return {SelectAction::Kind::Play, *folder, waitingDensity, std::nullopt, waitingPractice};
    }
    return {};
}

void SelectScreen::back() {
    historyShown = false;
    storedPlayShown = false;
    refreshBests();
}

void SelectScreen::refreshBests() {
    if (scores == nullptr) {
        return;
    }
    bestsFetched = !songs.scanning();
    std::vector<std::string> ids;
    for (const library::SongRow& row : songs.list().rows()) {
        if (!row.identity.empty()) {
            ids.push_back(row.identity);
        }
    }
    std::vector<store::SongBest> bests;
    try {
        bests = scores->bests(ids);
    } catch (const std::exception& failure) {
        std::cerr << "cueflight: cannot read the bests: " << failure.what() << std::endl;
        return;
    }
    // A song may lie in two places: both rows show its bests.
    std::unordered_map<std::string, std::vector<std::filesystem::path>> rowsOf;
    for (const library::SongRow& row : songs.list().rows()) {
        rowsOf[row.identity].push_back(row.path);
    }
    for (const store::SongBest& best : bests) {
        const int density = densityIndex(best.density);
        auto found = rowsOf.find(best.songId);
        if (density < 0 || found == rowsOf.end()) {
            continue;
        }
        for (const std::filesystem::path& path : found->second) {
            library::SongRow* row = songs.list().find(path);
            row->bestPercent[static_cast<std::size_t>(density)] = best.bestAccuracy;
            row->plays[static_cast<std::size_t>(density)] = best.plays;
        }
    }
}
