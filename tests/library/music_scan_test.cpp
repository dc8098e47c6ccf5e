#include "library/music_scan.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <map>

namespace {

namespace fs = std::filesystem;

struct Scan {
    std::vector<fs::path> found;
    std::map<fs::path, std::string> problems;
};

Scan scan(
    const std::vector<fs::path>& roots, std::function<bool()> stop = [] { return false; }) {
    Scan result;
    library::scanFolders(
        roots,
        {[&](library::FoundFile file) { result.found.push_back(file.path); },
         [&](library::ScanProblem problem) { result.problems[problem.path] = problem.reason; },
         std::move(stop)});
    return result;
}

TEST(MusicScan, FindsSongsByNameInOrderThroughLinksWithoutLoopingOrHiddenFolders) {
    testsupport::ScratchDir scratch;
    const fs::path music = scratch.path() / "music";
    for (const char* name :
         {"b/two.FLAC", "a/one.mp3", "a/cover.jpg", "a/notes.txt", "c.Ogg", "d.opus", "e.oga",
          "f.aif", "g.AIFF", "h.wav", "with space.mp3", "line\nbreak.ogg", "\xff\xfe latin1.mp3",
          ".hidden/secret.mp3", "a/.hidden.mp3", "outside/linked.wav"}) {
        scratch.write(std::string("music/") + name, "data");
    }
    fs::rename(music / "outside", scratch.path() / "outside");
    fs::create_directory_symlink(scratch.path() / "outside", music / "link");
    fs::create_directory_symlink(music, music / "a" / "up");        // a loop
    fs::create_directory_symlink(music / "b", music / "again");     // a folder seen twice
    fs::create_symlink(music / "h.wav", music / "b" / "alias.wav"); // a file twice is two names

    const Scan result = scan({music});
    // Names sort byte by byte: the Latin-1 name's high bytes come last.
    const std::vector<fs::path> expected = {
        music / "a/.hidden.mp3",   music / "a/one.mp3",
        music / "again/alias.wav", music / "again/two.FLAC",
        music / "c.Ogg",           music / "d.opus",
        music / "e.oga",           music / "f.aif",
        music / "g.AIFF",          music / "h.wav",
        music / "line\nbreak.ogg", music / "link/linked.wav",
        music / "with space.mp3",  music / "\xff\xfe latin1.mp3"};
    EXPECT_EQ(result.found, expected);
    EXPECT_TRUE(result.problems.empty());
}

TEST(MusicScan, WhatCannotBeASongGetsAReasonAndTheWalkGoesOn) {
    testsupport::ScratchDir scratch;
    const fs::path music = scratch.path() / "music";
    scratch.write("music/a.mp3", "data");
    scratch.write("music/b.mp3", "data");
    scratch.write("music/empty.wav", "");
    scratch.write("music/huge.flac", "x");
    fs::resize_file(music / "huge.flac", library::kLargestSongBytes + 1); // sparse: no disk used
    fs::create_symlink(music / "gone.ogg", music / "dangling.ogg");
    scratch.write("music/z/last.ogg", "data");

    // b.mp3 goes while the walk is between a.mp3 and it.
    bool removed = false;
    const Scan result = scan({music, scratch.path() / "nowhere", music / "a.mp3"}, [&] {
        if (!removed && fs::exists(music / "a.mp3") && !fs::exists(scratch.path() / "seen")) {
            scratch.write("seen", "");
        } else if (!removed) {
            removed = fs::remove(music / "b.mp3");
        }
        return false;
    });
    EXPECT_EQ(result.found,
              (std::vector<fs::path>{music / "a.mp3", music / "z/last.ogg", music / "a.mp3"}));
    const std::map<fs::path, std::string> expected = {
        {music / "b.mp3", "vanished during the scan"},
        {music / "dangling.ogg", "a link to nothing"},
        {music / "empty.wav", "empty file"},
        {music / "huge.flac", "larger than 4 GB"},
        {scratch.path() / "nowhere", "no such folder"}};
    EXPECT_EQ(result.problems, expected);

    // Quitting ends the walk between two entries (asked before the root and
    // before each entry).
    int asked = 0;
    const Scan stopped = scan({music}, [&] { return ++asked > 2; });
    EXPECT_EQ(stopped.found, std::vector<fs::path>{music / "a.mp3"});
}

} // namespace
