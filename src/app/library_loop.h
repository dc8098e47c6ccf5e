#pragma once

#include <filesystem>
#include <memory>
#include <vector>

struct FrameObjects;
struct LoopState;

// Where the song library starts from.
struct LibraryStart {
    std::vector<std::filesystem::path> folders; // to scan; empty: the player's music folder
    std::filesystem::path runFolder;            // the game's own files and song
    std::filesystem::path programFolder;        // where cueflight-chart is
};

// The song library's loop: the select screen until the player chooses a
// song, then its level (R plays it again from the start; after its end
// screen Enter goes back to the select screen with the same row chosen),
// and so on until Escape or the window closing ends it. Needs the window,
// the shader programs, the world and the frame objects.
void runLibrary(LoopState& loop, FrameObjects& objects, const LibraryStart& start);

class LibraryLoop;

// The same, a frame at a time, for a benchmark that times each frame.
class LibraryFrames {
public:
    LibraryFrames(LoopState& loop, FrameObjects& objects, const LibraryStart& start);
    ~LibraryFrames();
    LibraryFrames(const LibraryFrames&) = delete;
    LibraryFrames& operator=(const LibraryFrames&) = delete;

    // One pass of the select screen or of the level being played.
    void frame();
    // Whether the walk, the hashing and the charting have all come to rest.
    bool busy() const;

private:
    std::unique_ptr<LibraryLoop> loop;
};
