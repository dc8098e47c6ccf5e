#include "platform/music_stream.h"
#include "platform/openal_device.h"
#include "platform/sound_system.h"

#include <AL/al.h>

#include <algorithm>
#include <cmath>

namespace platform::sound {
namespace {

ALint sourceState(unsigned int source) {
    ALint state = AL_STOPPED;
    alGetSourcei(source, AL_SOURCE_STATE, &state);
    return state;
}

} // namespace

Channel::Channel(System* owner, unsigned int source) : owner(owner), source(source) {}

void Channel::start(Sound* newSound, bool startPaused) {
    stop();
    sound = newSound;
    paused = startPaused;
    position = ChannelPosition{};
    silentClock.start(startPaused, steadyNowMs());
    if (!isAudible()) {
        return;
    }
    if (sound->stream != nullptr) {
        sound->stream->start(source);
    } else {
        alSourcei(source, AL_BUFFER, static_cast<ALint>(sound->buffer));
    }
    if (!paused) {
        alSourcePlay(source);
    }
}

void Channel::stop() {
    if (isAudible()) {
        if (sound->stream != nullptr) {
            sound->stream->detach(source);
        } else {
            alSourceStop(source);
            alSourcei(source, AL_BUFFER, 0);
        }
    }
    sound = nullptr;
}

void Channel::feed() {
    if (!isAudible() || sound->stream == nullptr) {
        return;
    }
    const bool anythingQueued = sound->stream->feed(source);
    // The game stalled longer than the queue lasts: carry on where the sound stopped.
    if (anythingQueued && !paused && sourceState(source) == AL_STOPPED) {
        alSourcePlay(source);
    }
}

bool Channel::isBusy() const {
    if (sound == nullptr) {
        return false;
    }
    if (sound->streamed || paused) {
        return true;
    }
    return isAudible() ? sourceState(source) != AL_STOPPED : isAdvancing();
}

bool Channel::isAdvancing() const {
    if (isAudible()) {
        return sourceState(source) == AL_PLAYING;
    }
    return silentClock.elapsedMs(steadyNowMs()) < sound->lengthMs;
}

double Channel::reportedMs(double nowMs) const {
    if (!isAudible()) {
        return std::min(silentClock.elapsedMs(nowMs), sound->lengthMs);
    }
    const double playedMs = sound->stream != nullptr ? sound->stream->playedMs() : 0.0;
    return playedMs + owner->device->heardOffsetMs(source);
}

double Channel::heardMs(double nowMs) {
    if (!isAudible()) {
        return reportedMs(nowMs);
    }
    // The source first: the clock read after it is at or past its mix.
    const OpenAlDevice::Mix mix = owner->device->latestMix(source);
    double latencyMs = 0.0;
    const double deviceNowMs = owner->deviceNowMs(&latencyMs);
    const double playedMs = sound->stream != nullptr ? sound->stream->playedMs() : 0.0;
    return playedMs + mix.offsetMs + (deviceNowMs - mix.clockMs) - latencyMs;
}

int Channel::setPaused(bool pause) {
    if (sound == nullptr || pause == paused) {
        paused = pause;
        return result::ok;
    }
    const double nowMs = steadyNowMs();
    if (pause) {
        // The position freezes at what is heard at this moment.
        if (isAdvancing()) {
            position.follow(heardMs(nowMs), nowMs);
        }
        silentClock.pause(nowMs);
        if (isAudible()) {
            alSourcePause(source);
        }
    } else {
        silentClock.resume(nowMs);
        if (isAudible()) {
            alSourcePlay(source);
        }
        position.resume();
    }
    paused = pause;
    return result::ok;
}

int Channel::getPaused(bool* isPaused) const {
    *isPaused = paused;
    return result::ok;
}

int Channel::getPositionMs(double* positionMs) {
    if (sound != nullptr && !paused) {
        const double nowMs = steadyNowMs();
        if (isAdvancing()) {
            position.follow(heardMs(nowMs), nowMs);
        } else {
            position.coast(nowMs, sound->lengthMs);
        }
    }
    *positionMs = position.lastMs();
    return result::ok;
}

int Channel::getDevicePositionMs(double* positionMs) const {
    *positionMs = sound != nullptr ? reportedMs(steadyNowMs()) : 0.0;
    return result::ok;
}

int Channel::getPosition(unsigned int* positionMs) {
    double preciseMs = 0.0;
    getPositionMs(&preciseMs);
    *positionMs = static_cast<unsigned int>(std::llround(preciseMs));
    return result::ok;
}

int Channel::setPosition(unsigned int positionMs) {
    if (sound == nullptr || !sound->streamed) {
        return result::invalidArgument;
    }
    if (isAudible()) {
        const auto frame =
            static_cast<std::int64_t>(positionMs) * sound->stream->sampleRate() / 1000;
        sound->stream->start(source, frame);
        if (!paused) {
            alSourcePlay(source);
        }
    }
    position = ChannelPosition{};
    silentClock.start(paused, steadyNowMs() - positionMs);
    return result::ok;
}

int Channel::setVolume(float volume) {
    if (isAudible()) {
        alSourcef(source, AL_GAIN, std::clamp(volume, 0.0f, 1.0f));
    }
    return result::ok;
}

} // namespace platform::sound
