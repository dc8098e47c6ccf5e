#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace chart {

struct DecodedSong {
    int sampleRate = 0;
    int channels = 0;
    std::vector<float> samples; // interleaved
    std::size_t frames() const { return channels > 0 ? samples.size() / channels : 0; }
};

// Decodes a whole song with libsndfile (WAV, FLAC, Ogg Vorbis, Opus, MP3 and
// more). Without a song, `error` says why in a few words. A file with more
// channels than the charting takes is refused before it is read, and one
// longer than it takes is read only a little past that length.
std::optional<DecodedSong> decodeSong(const std::filesystem::path& path, std::string& error);

} // namespace chart
