#pragma once

#include "library/chart_cache.h"

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// The select screen's list of songs: the rows, the filter typed over them,
// the chosen row and the density, kept apart from drawing so every key's
// effect is plain to test.

namespace library {

// How far one density's chart of a song is.
enum class ChartState {
    Unknown,  // not looked for yet (the song is not hashed yet)
    Missing,  // no chart; it waits for the charting
    Charting, // the charting tool is at it
    Charted,  // in the cache, ready to play
};

struct SongRow {
    std::filesystem::path path; // the file, which names the row
    bool shipped = false;       // the game's own song: always the first row
    std::string title;          // from the tags, else empty
    std::string artist;         // from the tags, else empty
    long long lengthMs = 0;
    std::string identity;               // the SHA-256 of the file; empty until hashed
    double tempoBpm = 0.0;              // once a chart says it
    double previewMs = -1.0;            // where the preview starts, once a chart says it
    std::string problem;                // why it cannot be played; the row shows greyed
    std::array<ChartState, 3> charts{}; // by density
    int chartingPercent = 0;            // of the density being charted
    // The best accuracy and plays per density, from the saved scores; a
    // negative best: none yet.
    std::array<double, 3> bestPercent{-1.0, -1.0, -1.0};
    std::array<int, 3> plays{};

    // What the row is called: the title, else the file's name.
    std::string name() const;
    // Where the song's loudest stretch starts, for its preview and a
    // practice: the chart's word for it, else a third of the way in.
    double loudestMs() const { return previewMs >= 0.0 ? previewMs : lengthMs / 3.0; }
    ChartState chart(Density density) const { return charts[static_cast<std::size_t>(density)]; }
};

class SongList {
public:
    // Adds the row, or replaces the one of the same path, keeping the rows
    // sorted (the shipped song first, then by name) and the chosen song
    // chosen while rows come and go around it.
    void put(const SongRow& row);
    // The same for many rows at once, sorting and filtering once.
    void putAll(std::vector<SongRow> rows);
    SongRow* find(const std::filesystem::path& path);
    const SongRow* find(const std::filesystem::path& path) const;
    const std::vector<SongRow>& rows() const { return all; }
    // The rows to change in place: anything but what they sort and filter
    // by (the path, the title, the artist, whether shipped).
    std::vector<SongRow>& rowsToUpdate() { return all; }

    // The filter: rows whose title, artist or file name hold it, in any case.
    const std::string& filter() const { return typed; }
    void type(std::string_view text); // appends what the player typed
    void eraseLast();                 // Backspace: one character, not one byte

    // Moving the choice among the shown rows, which scroll to keep it in view.
    void setPageRows(int rows);
    void move(int by);
    void pageUp() { move(-pageRows); }
    void pageDown() { move(pageRows); }
    void home();
    void end();
    void scroll(int by); // the wheel: the view moves, the choice stays on screen
    void choose(int shownIndex);

    int shownCount() const { return static_cast<int>(shown.size()); }
    const SongRow& shownRow(int index) const { return all[shown[static_cast<std::size_t>(index)]]; }
    int chosenIndex() const { return chosen; } // among the shown rows; -1 when none
    int topIndex() const { return top; }       // the first shown row on screen
    const SongRow* chosenRow() const;

    Density density = Density::Normal;
    void easier();
    void harder();

private:
    void refilter(const std::filesystem::path& keep);
    void keepInView();
    bool matches(const SongRow& row) const;

    std::vector<SongRow> all;
    std::unordered_map<std::string, std::size_t> byPath; // index into all of each path
    std::vector<std::size_t> shown;                      // indices into all
    std::string typed;
    int chosen = -1;
    int top = 0;
    int pageRows = 10;
};

// Text the overlay's font can draw: UTF-8 reduced to printable ASCII, each
// other character (and each byte of broken UTF-8) shown as '?', control
// characters as blanks.
std::string drawableText(std::string_view utf8);

} // namespace library
