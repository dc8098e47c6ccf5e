#pragma once

#include <filesystem>
#include <memory>

namespace platform::sound {
class Channel;
class Sound;
class System;
} // namespace platform::sound

// While the select screen rests on a song, a stretch of it plays: after the
// row has stayed chosen for kDelaySeconds, kLengthSeconds of the song from
// its loudest part, faded in and out over kFadeSeconds; choosing another
// row stops it at once. It holds the sound device only while the select
// screen shows, since a level needs it to itself.
class SongPreview {
public:
    static constexpr double kDelaySeconds = 0.4;
    static constexpr double kLengthSeconds = 15.0;
    static constexpr double kFadeSeconds = 1.0;

    SongPreview();
    ~SongPreview();
    SongPreview(const SongPreview&) = delete;
    SongPreview& operator=(const SongPreview&) = delete;

    // Once a frame: the chosen song (empty for none) and where its preview
    // starts, in ms of the song, and the time in seconds.
    void follow(const std::filesystem::path& song, double fromMs, double now);
    // Silence at once, and the sound device given back.
    void release();

private:
    void start(double now);
    void stopSound();

    std::unique_ptr<platform::sound::System> system;
    platform::sound::Sound* sound = nullptr;
    platform::sound::Channel* channel = nullptr;
    std::filesystem::path chosen; // the song chosen now
    double chosenAt = 0.0;        // since when
    double fromMs = 0.0;
    double startedAt = -1.0; // when its sound started; negative before
    bool played = false;     // this choice's preview has played (or cannot)
};

// The preview's loudness `seconds` after it started: up over the first
// kFadeSeconds, down over the last, silent outside.
float previewGain(double seconds);
