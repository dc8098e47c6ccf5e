#pragma once

#include "app/score_keeping.h"
#include "game/practice.h"

#include <filesystem>
#include <optional>

struct FrameObjects;
struct LoopState;
class Level;

// One song played from the library: the level of a run folder (a chart's
// folder, or the game's own for the shipped song), built in the world the
// select screen flew through, registered with the level manager as the
// current level, restarted on R and destroyed when the player goes back.
class SongSession {
public:
    // Moves to `folder`, takes its song from its config.cfg and its cues
    // from its recordings, and starts a new level there. `returnFolder` is
    // where the game goes back to when it ends.
    // With `practice`, the level loops that passage and nothing is saved.
    SongSession(std::filesystem::path folder, std::filesystem::path returnFolder,
                std::optional<game::PracticeRange> practice = std::nullopt);
    // Ends the level if it still runs.
    ~SongSession();
    SongSession(const SongSession&) = delete;
    SongSession& operator=(const SongSession&) = delete;

    void start(LoopState& loop, FrameObjects& objects);
    // The same song from its start: a new level of the same folder, from
    // what the last one read: the recordings, the song's identity, and every
    // model, texture and program in the collections. Only the song's stream
    // opens again.
    void restart(LoopState& loop, FrameObjects& objects);
    // Destroys the level, gives its cues back and returns to returnFolder.
    void end(LoopState& loop, FrameObjects& objects);

    const std::filesystem::path& folder() const { return levelFolder; }

private:
    void startLevel(LoopState& loop, FrameObjects& objects);
    void endLevel(LoopState& loop, FrameObjects& objects);

    std::filesystem::path levelFolder;
    std::filesystem::path returnFolder;
    std::optional<game::PracticeRange> practice;
    std::optional<ScoreKeeping> scoreKeeping;
    Level* level = nullptr; // the level manager owns it
    int played = 0;         // levels made, for their names
};
