#include "app/screens/song_preview.h"

#include "platform/sound_system.h"

#include <algorithm>
#include <cmath>

namespace sound = platform::sound;

float previewGain(double seconds) {
    if (seconds <= 0.0 || seconds >= SongPreview::kLengthSeconds) {
        return 0.0f;
    }
    const double rising = seconds / SongPreview::kFadeSeconds;
    const double falling = (SongPreview::kLengthSeconds - seconds) / SongPreview::kFadeSeconds;
    return static_cast<float>(std::clamp(std::min(rising, falling), 0.0, 1.0));
}

SongPreview::SongPreview() = default;

SongPreview::~SongPreview() {
    release();
}

void SongPreview::follow(const std::filesystem::path& song, double songFromMs, double now) {
    if (song != chosen) {
        stopSound();
        chosen = song;
        chosenAt = now;
        fromMs = songFromMs;
        played = false;
    }
    if (chosen.empty()) {
        return;
    }
    if (!played && startedAt < 0.0 && now - chosenAt >= kDelaySeconds) {
        start(now);
    }
    if (channel != nullptr) {
        const double into = now - startedAt;
        if (into >= kLengthSeconds) {
            stopSound();
            return;
        }
        channel->setVolume(previewGain(into));
        system->update();
    }
}

void SongPreview::start(double now) {
    played = true;
    if (!system) {
        system = std::make_unique<sound::System>();
        system->init(4, sound::initStreamFromUpdate);
    }
    // A file that will not stream says so on the error stream, once.
    sound::Sound* stream = nullptr;
    system->createStream(chosen.c_str(), sound::modeCreateStream, &stream);
    if (stream == nullptr) {
        return;
    }
    sound::Channel* playing = nullptr;
    system->playSound(sound::channelFree, stream, true, &playing);
    if (playing == nullptr) {
        stream->release();
        return;
    }
    playing->setVolume(0.0f);
    playing->setPosition(static_cast<unsigned int>(std::max(0.0, fromMs)));
    playing->setPaused(false);
    sound = stream;
    channel = playing;
    startedAt = now;
}

void SongPreview::stopSound() {
    if (sound != nullptr) {
        sound->release(); // stops its channel
    }
    sound = nullptr;
    channel = nullptr;
    startedAt = -1.0;
}

void SongPreview::release() {
    stopSound();
    if (system) {
        system->release();
        system.reset();
    }
    chosen.clear();
}
