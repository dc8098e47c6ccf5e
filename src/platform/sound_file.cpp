#include "platform/sound_file.h"

#include "platform/sound_result.h"

#include <sndfile.h>

#include <algorithm>
#include <iostream>

namespace platform::sound {
namespace {

int reportOpenFailure(const std::string& path, const char* reason, int code) {
    std::cerr << "sound: cannot open \"" << path << "\": " << reason << std::endl;
    return code;
}

} // namespace

int SoundFile::open(const std::string& path, std::unique_ptr<SoundFile>* file) {
    file->reset();
    SF_INFO info{};
    SNDFILE* handle = sf_open(path.c_str(), SFM_READ, &info);
    if (handle == nullptr) {
        const bool unreadable = sf_error(nullptr) == SF_ERR_SYSTEM;
        return reportOpenFailure(path, sf_strerror(nullptr),
                                 unreadable ? result::fileNotFound : result::badFormat);
    }
    if (info.channels < 1 || info.samplerate <= 0) {
        sf_close(handle);
        return reportOpenFailure(path, "no sound in it", result::badFormat);
    }
    if (info.channels > kMostChannels) {
        sf_close(handle);
        return reportOpenFailure(path, "too many channels", result::badFormat);
    }
    file->reset(new SoundFile(handle, info.channels, info.samplerate, info.frames));
    return result::ok;
}

SoundFile::SoundFile(sf_private_tag* handle, int fileChannels, int rate, std::int64_t frames)
    : handle(handle), fileChannels(fileChannels), channelCount(std::min(fileChannels, 2)),
      rate(rate), frameCount(frames) {}

SoundFile::~SoundFile() {
    sf_close(handle);
}

std::size_t SoundFile::read(std::span<std::int16_t> out) {
    if (fileChannels > channelCount) {
        return readMixedDown(out);
    }
    const sf_count_t wanted = static_cast<sf_count_t>(out.size()) / channelCount;
    const sf_count_t got = sf_readf_short(handle, out.data(), wanted);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

std::size_t SoundFile::readMixedDown(std::span<std::int16_t> out) {
    const std::size_t wanted = out.size() / 2;
    if (unmixed.size() < wanted * fileChannels) {
        unmixed.resize(wanted * fileChannels);
    }
    const sf_count_t got = sf_readf_short(handle, unmixed.data(), static_cast<sf_count_t>(wanted));
    const std::size_t frames = got > 0 ? static_cast<std::size_t>(got) : 0;
    // Left and right at full strength, the rest at half in both: the loudest
    // sum is 1 + (channels - 2) / 2 of full scale.
    const int further = fileChannels - 2;
    const int scaleTwice = 2 + further;
    for (std::size_t frame = 0; frame < frames; ++frame) {
        const std::int16_t* in = &unmixed[frame * fileChannels];
        int shared = 0;
        for (int channel = 2; channel < fileChannels; ++channel) {
            shared += in[channel];
        }
        out[2 * frame] = static_cast<std::int16_t>((2 * in[0] + shared) / scaleTwice);
        out[2 * frame + 1] = static_cast<std::int16_t>((2 * in[1] + shared) / scaleTwice);
    }
    return frames;
}

void SoundFile::rewind() {
    sf_seek(handle, 0, SEEK_SET);
}

void SoundFile::seek(std::int64_t frame) {
    sf_seek(handle, std::clamp<sf_count_t>(frame, 0, std::max<sf_count_t>(frameCount, 0)),
            SEEK_SET);
}

} // namespace platform::sound
