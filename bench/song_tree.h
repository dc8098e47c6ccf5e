#pragma once

// A made-up music collection for the library's benchmarks: 2,000 files in
// 100 folders, mostly short tagged WAV, OGG and FLAC songs, with junk among
// them (text under a song's name, empty files, pictures). Made once and
// kept; the same files every run.

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sndfile.h>
#include <string>
#include <vector>

namespace benchtree {

constexpr int kFolders = 100;
constexpr int kFilesPerFolder = 20;
constexpr int kSongsPerFolder = 17; // the rest is junk

inline void writeSong(const std::filesystem::path& path, int format, int number) {
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        return;
    }
    const std::string title = "Song " + std::to_string(number);
    sf_set_string(file, SF_STR_TITLE, title.c_str());
    sf_set_string(file, SF_STR_ARTIST, "The Benchmarks");
    std::vector<float> samples(4000);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = 0.2f * std::sin(0.01f * static_cast<float>((number % 50 + 1) * i));
    }
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(file);
}

// The tree's root, made if it is not there yet; `songs` is set to the
// number of files with a song's extension.
inline std::filesystem::path songTree(const std::filesystem::path& under, int& songs) {
    const std::filesystem::path root = under / "bench-song-tree";
    songs = kFolders * (kFilesPerFolder - 1); // all but the picture
    if (std::filesystem::exists(root / "complete")) {
        return root;
    }
    std::filesystem::remove_all(root);
    const int formats[3] = {SF_FORMAT_WAV | SF_FORMAT_PCM_16, SF_FORMAT_OGG | SF_FORMAT_VORBIS,
                            SF_FORMAT_FLAC | SF_FORMAT_PCM_16};
    const char* extensions[3] = {".wav", ".ogg", ".flac"};
    for (int folder = 0; folder < kFolders; ++folder) {
        const std::filesystem::path dir =
            root / ("artist " + std::to_string(folder / 10)) / ("album " + std::to_string(folder));
        std::filesystem::create_directories(dir);
        for (int i = 0; i < kSongsPerFolder; ++i) {
            const int number = folder * kFilesPerFolder + i;
            writeSong(dir / ("track " + std::to_string(i) + extensions[number % 3]),
                      formats[number % 3], number);
        }
        std::ofstream(dir / "notes.mp3") << "not a song, only words\n";
        std::ofstream(dir / "empty.ogg");
        std::ofstream(dir / "cover.jpg") << "a picture";
    }
    std::ofstream(root / "complete") << "made\n";
    return root;
}

} // namespace benchtree
