#pragma once

// Sound files the audio benchmarks play, written into the temporary folder.

#include <sndfile.h>

#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

namespace benchsound {

constexpr int kRate = 44100;

// Interleaved stereo 16-bit samples as a WAV file of that name; its path.
inline std::string writeStereo(const std::string& name, const std::vector<short>& samples) {
    const std::string path = (std::filesystem::temp_directory_path() / name).string();
    SF_INFO info{};
    info.samplerate = kRate;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    sf_writef_short(file, samples.data(), static_cast<sf_count_t>(samples.size() / 2));
    sf_close(file);
    return path;
}

// A steady tone of that length.
inline std::string writeTone(const std::string& name, double seconds) {
    std::vector<short> samples(static_cast<std::size_t>(seconds * kRate) * 2);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = static_cast<short>(6000.0 * std::sin(0.03 * static_cast<double>(i / 2)));
    }
    return writeStereo(name, samples);
}

} // namespace benchsound
