// How soon the song library shows a collection of 2,000 files (see
// song_tree.h): the time to the first rows on screen and to the whole list,
// and to the end of the hashing, on a cold start (an empty cache) and on a
// warm one (the listing cache filled by the cold start). The frame loop is
// stood in for by update() every millisecond; no charting tool runs.

#include "library/song_library.h"
#include "song_tree.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

struct Times {
    double firstRows = -1.0;
    double wholeList = -1.0;
    double hashed = -1.0;
};

Times measure(const fs::path& tree, const fs::path& cache, std::size_t files) {
    library::SongRow shipped;
    shipped.path = fs::path(CUEFLIGHT_RUN_DIR) / "Sound/nooneknows.mp3";
    shipped.title = "No One Knows";
    const Clock::time_point start = Clock::now();
    library::SongLibrary songs(
        {{tree}, cache, "/nonexistent/cueflight-chart", shipped, CUEFLIGHT_RUN_DIR});
    Times times;
    auto since = [&] { return std::chrono::duration<double>(Clock::now() - start).count(); };
    while (times.hashed < 0.0 && since() < 600.0) {
        songs.update(since());
        const std::size_t rows = songs.list().rows().size();
        if (times.firstRows < 0.0 && rows > 1) {
            times.firstRows = since();
        }
        if (times.wholeList < 0.0 && rows >= files + 1) {
            times.wholeList = since();
        }
        if (!songs.scanning()) {
            songs.update(since()); // the last rows the walk posted
            times.hashed = since();
            if (times.wholeList < 0.0 && songs.list().rows().size() >= files + 1) {
                times.wholeList = times.hashed;
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    std::printf("       %zu rows, %d can be played\n", songs.list().rows().size(),
                songs.playableCount());
    return times;
}

void print(const char* what, const Times& times) {
    std::printf("%-6s first rows %7.3f s   whole list %7.3f s   hashed %7.3f s\n", what,
                times.firstRows, times.wholeList, times.hashed);
}

} // namespace

int main() {
    const fs::path scratch = fs::temp_directory_path() / "cueflight-bench";
    int songs = 0;
    const fs::path tree = benchtree::songTree(scratch, songs);
    const fs::path cache = scratch / "library-cache";
    fs::remove_all(cache);
    fs::create_directories(cache);
    const std::size_t files = static_cast<std::size_t>(songs);
    std::printf("%zu song files (and pictures) under %s\n", files, tree.c_str());
    print("cold", measure(tree, cache, files));
    print("warm", measure(tree, cache, files));
    print("warm", measure(tree, cache, files));
    return 0;
}
