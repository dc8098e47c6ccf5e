#pragma once

#include "app/screens/select_input.h"
#include "game/practice.h"
#include "library/song_library.h"
#include "store/score_store.h"

#include <optional>
#include <string>
#include <vector>

// The song select screen's behaviour, apart from its drawing: the keys and
// the mouse move through the song list, type its filter and pick a density;
// Enter plays the chosen song (charting it first when it has no chart yet);
// Tab shows its last plays, whose end screens Enter draws again; F3
// practises the passage of the song's last play with the most misses; F2
// opens the calibration.

// What the game is to do after a frame of the select screen.
struct SelectAction {
    enum class Kind {
        None,
        Play,       // play `folder` (the chosen song at `density`)
        StoredPlay, // draw the end screen of `play`
        Calibrate,  // find the player's latency
        Quit,
    };
    Kind kind = Kind::None;
    std::filesystem::path folder;
    library::Density density = library::Density::Normal;
    std::optional<store::PlayRecord> play;
    std::optional<game::PracticeRange> practice; // with Play: loop this passage

    static SelectAction only(Kind kind) { return {kind, {}, library::Density::Normal, {}, {}}; }
};

class SelectScreen {
public:
    // A second click on the same row within this time plays it.
    static constexpr double kDoubleClickSeconds = 0.4;

    // `scores` may be null: saving is off, and there is no history to show.
    SelectScreen(library::SongLibrary& songs, store::ScoreStore* scores);

    // One frame: the input, then whatever the chosen song waits for.
    SelectAction frame(const SelectInput& input, double now, int windowWidth, int windowHeight);

    // After a play, or a stored play's end screen: the list again, the
    // same row chosen, and the bests brought up to date.
    void back();

    library::SongLibrary& library() { return songs; }
    const library::SongLibrary& library() const { return songs; }
    // The song whose chart the player waits for; null when none.
    const library::SongRow* waitingFor() const;
    // The chosen song's last plays while Tab shows them; empty otherwise.
    bool showingHistory() const { return historyShown; }
    const std::vector<store::PlaySummary>& history() const { return plays; }
    int chosenPlay() const { return playChosen; }
    bool showingStoredPlay() const { return storedPlayShown; }

    // Fills every row's best and plays from the store.
    void refreshBests();

private:
    SelectAction onSongs(const SelectInput& input, double now, int windowWidth, int windowHeight);
    SelectAction onHistory(const SelectInput& input);
    SelectAction play(const library::SongRow& row,
                      std::optional<game::PracticeRange> practice = std::nullopt);
    // The passage F3 offers for the chosen song at the chosen density.
    game::PracticeRange passageToPractise(const library::SongRow& row) const;
    SelectAction followWaiting();

    library::SongLibrary& songs;
    store::ScoreStore* scores;
    std::filesystem::path waitingPath; // the song charted for the player; empty when none
    library::Density waitingDensity = library::Density::Normal;
    std::optional<game::PracticeRange> waitingPractice; // what the charted song is to play
    bool historyShown = false;
    bool storedPlayShown = false;
    std::vector<store::PlaySummary> plays;
    int playChosen = 0;
    std::filesystem::path lastClickedPath;
    double lastClickAt = -1.0;
    bool bestsFetched = false;
};
