#include "platform/sound_file.h"

#include "platform/sound_result.h"

#include <sndfile.h>

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
    if (info.channels < 1 || info.channels > 2 || info.samplerate <= 0) {
        sf_close(handle);
        return reportOpenFailure(path, "only mono and stereo sound is supported",
                                 result::badFormat);
    }
    file->reset(new SoundFile(handle, info.channels, info.samplerate, info.frames));
    return result::ok;
}

SoundFile::SoundFile(sf_private_tag* handle, int channels, int rate, std::int64_t frames)
    : handle(handle), channelCount(channels), rate(rate), frameCount(frames) {}

SoundFile::~SoundFile() {
    sf_close(handle);
}

std::size_t SoundFile::read(std::span<std::int16_t> out) {
    const sf_count_t wanted = static_cast<sf_count_t>(out.size()) / channelCount;
    const sf_count_t got = sf_readf_short(handle, out.data(), wanted);
    return got > 0 ? static_cast<std::size_t>(got) : 0;
}

void SoundFile::rewind() {
    sf_seek(handle, 0, SEEK_SET);
}

void SoundFile::seek(std::int64_t frame) {
    sf_seek(handle, static_cast<sf_count_t>(frame), SEEK_SET);
}

} // namespace platform::sound
