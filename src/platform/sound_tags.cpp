#include "platform/sound_tags.h"

#include <sndfile.h>

namespace platform::sound {

namespace {

std::string tagOf(SNDFILE* handle, int which) {
    const char* text = sf_get_string(handle, which);
    return text != nullptr ? std::string(text) : std::string();
}

} // namespace

std::optional<SoundTags> readSoundTags(const std::filesystem::path& file) {
    SF_INFO info{};
    SNDFILE* handle = sf_open(file.c_str(), SFM_READ, &info);
    if (handle == nullptr) {
        return std::nullopt;
    }
    SoundTags tags{tagOf(handle, SF_STR_TITLE), tagOf(handle, SF_STR_ARTIST), 0};
    if (info.samplerate > 0 && info.frames > 0) {
        tags.lengthMs = info.frames * 1000 / info.samplerate;
    }
    sf_close(handle);
    return tags;
}

} // namespace platform::sound
