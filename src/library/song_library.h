#pragma once

#include "library/charting_queue.h"
#include "library/song_list.h"
#include "library/song_listing.h"

#include <atomic>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// The song library behind the select screen: a background thread walks the
// player's folders, reads each new file's tags and length from its header
// and hashes it, while the frame loop takes the news into the list and
// keeps the charting tool busy with one song after another.

namespace library {

struct LibraryPlaces {
    std::vector<std::filesystem::path> roots; // folders to scan (or song files)
    // Where the listing, the charts and skipped.txt go; empty when no cache
    // folder could be made: songs then list but cannot be charted.
    std::filesystem::path cacheFolder;
    std::filesystem::path chartTool;     // cueflight-chart
    SongRow shippedSong;                 // the first row, charted by hand at normal
    std::filesystem::path shippedFolder; // the run folder the shipped song plays from
};

// The reason given for a file libsndfile cannot open.
inline constexpr const char* kNotAudio = "not audio that can be decoded";

class SongLibrary {
public:
    explicit SongLibrary(LibraryPlaces places);
    // Stops the walk (between two files) and keeps what was learnt.
    ~SongLibrary();
    SongLibrary(const SongLibrary&) = delete;
    SongLibrary& operator=(const SongLibrary&) = delete;

    // Once a frame, with the time in seconds: the walk's news into the list,
    // the charting followed and fed, skipped.txt kept up to date.
    void update(double nowSeconds);

    SongList& list() { return songs; }
    const SongList& list() const { return songs; }
    // Whether the walk and the hashing are still going, or their last news
    // not yet in the list.
    bool scanning() const { return !allListed; }
    // Songs that can be played, and how many of them are charted at the
    // chosen density.
    int playableCount() const;
    int chartedCount() const;
    // One line when the charting tool cannot be run; empty otherwise.
    const std::string& toolProblem() const { return toolTrouble; }

    // The run folder to play the song at the density from: the shipped
    // folder for the shipped song's hand-made chart, else its chart folder
    // once charted. Nothing while it is not charted.
    std::optional<std::filesystem::path> playFolder(const SongRow& row, Density density) const;
    // Puts the song's chart first in line (the player chose it).
    void chartFirst(const SongRow& row, Density density);

private:
    void walk();
    void learn(const FoundFile& file);
    void post(SongRow row);
    void lookForCharts(SongRow& row) const;
    void takeNews();
    void followCharting(double nowSeconds);
    void feedCharting();
    void keepSkippedList(double nowSeconds);
    ChartJob jobFor(const SongRow& row, Density density) const;

    LibraryPlaces places;
    SongList songs;
    std::unique_ptr<ChartingQueue> charting;
    std::string toolTrouble;

    std::mutex listingLock; // the listing is shared by the walk and the frame loop
    SongListing listing;
    std::mutex newsLock;
    std::vector<SongRow> news; // rows the walk learnt, for the frame loop
    std::atomic<bool> stopping{false};
    std::atomic<bool> scanDone{false};
    bool allListed = false; // the frame loop has taken the news of a finished walk
    std::thread walker;

    bool skippedChanged = false;
    double skippedWrittenAt = -1.0;
};

// skipped.txt: every song the library could not use, a line each with its
// reason: "<path>\t<reason>", line breaks in a path written as \n.
std::string skippedText(const std::vector<SongRow>& rows);

} // namespace library
