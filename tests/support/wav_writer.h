#pragma once

#include <filesystem>
#include <sndfile.h>
#include <vector>

namespace testsupport {

// Interleaved float samples written as a 16-bit WAV file, or in another of
// libsndfile's formats; false when the file could not be written whole.
inline bool writeWav(const std::filesystem::path& path, const std::vector<float>& samples,
                     int sampleRate, int channels, int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        return false;
    }
    const auto frames =
        static_cast<sf_count_t>(samples.size() / static_cast<std::size_t>(channels));
    const bool written = sf_writef_float(file, samples.data(), frames) == frames;
    return sf_close(file) == 0 && written;
}

} // namespace testsupport
