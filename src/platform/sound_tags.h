#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace platform::sound {

// What a sound file says of itself: its tags (empty where it has none) and
// its length.
struct SoundTags {
    std::string title;
    std::string artist;
    long long lengthMs = 0;
};

// The file's tags and length as libsndfile reads them; nothing when it
// cannot open the file. Prints nothing: a song without tags is common.
std::optional<SoundTags> readSoundTags(const std::filesystem::path& file);

} // namespace platform::sound
