#pragma once

#include <filesystem>
#include <optional>
#include <vector>

#include "stereo_buffer.h"

namespace songgen {

struct DecodedAudio {
    int sampleRate = 0;
    int channels = 0;
    std::vector<float> samples; // interleaved
    int64_t frames() const {
        return channels == 0 ? 0 : static_cast<int64_t>(samples.size()) / channels;
    }
};

// Each returns false after one line on the error stream naming the file.
bool writeMp3(const std::filesystem::path& path, const StereoBuffer& audio);
bool writeWav(const std::filesystem::path& path, const std::vector<float>& mono);

// Decodes with the same library the game plays through, so what a test reads
// is what the player hears.
std::optional<DecodedAudio> readAudio(const std::filesystem::path& path);

} // namespace songgen
