#include "audio_io.h"

#include <iostream>
#include <sndfile.h>

#include "song_timing.h"

namespace songgen {
namespace {

bool writeInterleaved(const std::filesystem::path& path, int format, int channels,
                      const std::vector<float>& samples, double compression) {
    SF_INFO info{};
    info.samplerate = sampleRate;
    info.channels = channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr) {
        std::cerr << "cannot write " << path.string() << ": " << sf_strerror(nullptr) << std::endl;
        return false;
    }
    if (compression >= 0.0) {
        sf_command(file, SFC_SET_COMPRESSION_LEVEL, &compression, sizeof compression);
    }
    sf_count_t frames = static_cast<sf_count_t>(samples.size()) / channels;
    bool complete = sf_writef_float(file, samples.data(), frames) == frames;
    if (!complete) {
        std::cerr << "cannot write " << path.string() << ": " << sf_strerror(file) << std::endl;
    }
    return sf_close(file) == 0 && complete;
}

} // namespace

bool writeMp3(const std::filesystem::path& path, const StereoBuffer& audio) {
    std::vector<float> interleaved(audio.left.size() * 2);
    for (size_t i = 0; i < audio.left.size(); ++i) {
        interleaved[2 * i] = audio.left[i];
        interleaved[2 * i + 1] = audio.right[i];
    }
    // Variable bit rate near the top of LAME's quality range. libsndfile
    // writes the LAME header with the encoder delay and padding, and skips
    // both when decoding, so sample n of the mix is sample n of the stream.
    constexpr double quality = 0.2;
    return writeInterleaved(path, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III, 2, interleaved,
                            quality);
}

bool writeWav(const std::filesystem::path& path, const std::vector<float>& mono) {
    return writeInterleaved(path, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 1, mono, -1.0);
}

std::optional<DecodedAudio> readAudio(const std::filesystem::path& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr) {
        std::cerr << "cannot read " << path.string() << ": " << sf_strerror(nullptr) << std::endl;
        return std::nullopt;
    }
    DecodedAudio audio;
    audio.sampleRate = info.samplerate;
    audio.channels = info.channels;
    audio.samples.resize(static_cast<size_t>(info.frames * info.channels));
    sf_count_t read = sf_readf_float(file, audio.samples.data(), info.frames);
    audio.samples.resize(static_cast<size_t>(read * info.channels));
    sf_close(file);
    return audio;
}

} // namespace songgen
