#include "platform/sound_system.h"

#include "platform/music_stream.h"
#include "platform/openal_device.h"
#include "platform/sound_file.h"

#include <AL/al.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <iostream>
#include <limits>
#include <map>
#include <string>
#include <utility>

namespace platform::sound {
namespace {

constexpr double endlessMs = std::numeric_limits<double>::infinity();

// An effect, decoded whole. Every song's sound system plays the same stab and
// click, so each is read from disk once for the whole run: a restart or the
// next song must not read it again.
struct DecodedEffect {
    std::vector<std::int16_t> samples;
    int channels = 1;
    int sampleRate = 0;
    double lengthMs = 0.0;
};

// The effect at path, known by the file the path leads to, links followed (a
// chart folder's effects are links to the run folder's); nothing when it does
// not open, with the SoundFile's code in *code (such a path is tried again
// next time).
const DecodedEffect* decodedEffect(const char* path, int* code) {
    static std::map<std::string, DecodedEffect> effects;
    std::error_code failed;
    const std::filesystem::path resolved = std::filesystem::weakly_canonical(path, failed);
    const std::string key = failed ? std::string(path) : resolved.string();
    if (const auto known = effects.find(key); known != effects.end()) {
        return &known->second;
    }
    std::unique_ptr<SoundFile> file;
    *code = SoundFile::open(path, &file);
    if (*code != result::ok) {
        return nullptr;
    }
    DecodedEffect effect;
    effect.channels = file->channels();
    effect.sampleRate = file->sampleRate();
    effect.lengthMs = file->lengthMs();
    effect.samples.resize(static_cast<std::size_t>(file->frames()) * file->channels());
    effect.samples.resize(file->read(effect.samples) * file->channels());
    return &effects.emplace(key, std::move(effect)).first->second;
}

// An effect is short: one device buffer holds it.
unsigned int bufferOf(const DecodedEffect& effect) {
    ALuint buffer = 0;
    alGenBuffers(1, &buffer);
    const ALenum format = effect.channels == 2 ? AL_FORMAT_STEREO16 : AL_FORMAT_MONO16;
    const auto bytes = static_cast<ALsizei>(effect.samples.size() * sizeof(std::int16_t));
    alBufferData(buffer, format, effect.samples.data(), bytes, effect.sampleRate);
    return buffer;
}

} // namespace

Sound::Sound(System* owner, bool streamed, double lengthMs)
    : owner(owner), streamed(streamed), lengthMs(lengthMs) {}

Sound::~Sound() {
    if (buffer != 0) {
        alDeleteBuffers(1, &buffer);
    }
}

int Sound::release() {
    owner->releaseSound(this);
    return result::ok;
}

int Sound::getLength(unsigned int* length) const {
    *length = lengthMs == endlessMs ? std::numeric_limits<unsigned int>::max()
                                    : static_cast<unsigned int>(lengthMs);
    return result::ok;
}

System::System(SystemOptions options) : options(std::move(options)) {}

System::~System() {
    release();
}

int System::init(int maxChannels, int flags) {
    if (initialised || maxChannels <= 0 || (flags & ~initStreamFromUpdate) != 0) {
        return result::invalidArgument;
    }
    std::string whyNot;
    device = OpenAlDevice::open(options.deviceName, &whyNot);
    std::vector<unsigned int> sources;
    if (device != nullptr) {
        sources = device->createSources(maxChannels);
        if (static_cast<int>(sources.size()) < maxChannels) {
            std::cerr << "sound: only " << sources.size() << " of " << maxChannels
                      << " channels available" << std::endl;
        }
    } else {
        std::cerr << "sound: " << whyNot << "; playing silently" << std::endl;
        sources.assign(static_cast<std::size_t>(maxChannels), 0);
    }
    for (unsigned int source : sources) {
        channels.push_back(std::unique_ptr<Channel>(new Channel(this, source)));
    }
    initialised = true;
    return result::ok;
}

int System::update() {
    for (auto& channel : channels) {
        channel->feed();
    }
    if (device != nullptr) {
        double latencyMs = 0.0;
        deviceNowMs(&latencyMs);
    }
    return initialised ? result::ok : result::notInitialised;
}

double System::deviceNowMs(double* latencyMs) {
    const OpenAlDevice::Clock clock = device->clock();
    *latencyMs = clock.latencyMs;
    // The wall time after the reading: the device's clock cannot have moved
    // on since, so the zero it implies is never too early.
    return deviceClock.track(clock.nowMs, steadyNowMs());
}

int System::release() {
    if (!initialised) {
        return result::ok;
    }
    std::vector<unsigned int> sources;
    for (auto& channel : channels) {
        channel->stop();
        sources.push_back(channel->source);
    }
    sounds.clear();
    if (device != nullptr) {
        device->deleteSources(sources);
    }
    channels.clear();
    device.reset();
    initialised = false;
    return result::ok;
}

int System::createStream(const char* path, int mode, Sound** sound) {
    return createSound(path, mode | modeCreateStream, sound);
}

int System::createStream(std::unique_ptr<FrameSource> source, Sound** sound) {
    *sound = nullptr;
    if (!initialised) {
        return result::notInitialised;
    }
    if (source == nullptr) {
        *sound = addSound(true, endlessMs);
        return result::invalidArgument;
    }
    *sound = addSound(true, source->lengthMs());
    if (device != nullptr) {
        (*sound)->stream = std::make_unique<MusicStream>(std::move(source));
    }
    return result::ok;
}

int System::createSound(const char* path, int mode, Sound** sound) {
    *sound = nullptr;
    if (!initialised) {
        return result::notInitialised;
    }
    const bool streamed = (mode & modeCreateStream) != 0;
    if ((mode & ~modeCreateStream) != 0 || path == nullptr) {
        *sound = addSound(streamed, streamed ? endlessMs : 0.0);
        return result::invalidArgument;
    }
    int code = result::ok;
    *sound = load(path, streamed, &code);
    return code;
}

Sound* System::load(const char* path, bool streamed, int* code) {
    *code = result::ok;
    if (!streamed) {
        const DecodedEffect* effect = decodedEffect(path, code);
        Sound* sound = addSound(false, effect != nullptr ? effect->lengthMs : 0.0);
        if (effect != nullptr && device != nullptr) {
            sound->buffer = bufferOf(*effect);
        }
        return sound;
    }
    std::unique_ptr<SoundFile> file;
    *code = SoundFile::open(path, &file);
    if (*code != result::ok) {
        return addSound(true, endlessMs);
    }
    Sound* sound = addSound(true, file->lengthMs());
    if (device != nullptr) {
        sound->stream = std::make_unique<MusicStream>(std::move(file));
    }
    return sound;
}

Sound* System::addSound(bool streamed, double lengthMs) {
    sounds.push_back(std::unique_ptr<Sound>(new Sound(this, streamed, lengthMs)));
    return sounds.back().get();
}

void System::releaseSound(Sound* sound) {
    for (auto& channel : channels) {
        if (channel->sound == sound) {
            channel->stop();
        }
    }
    std::erase_if(sounds,
                  [sound](const std::unique_ptr<Sound>& owned) { return owned.get() == sound; });
}

int System::playSound(int channelId, Sound* sound, bool paused, Channel** channel) {
    if (channel != nullptr) {
        *channel = nullptr;
    }
    if (!initialised) {
        return result::notInitialised;
    }
    int code = result::ok;
    if (channelId != channelFree || (sound == nullptr && channel == nullptr)) {
        return result::invalidArgument;
    }
    if (sound == nullptr) {
        // Whoever keeps the channel gets one that runs, if silently.
        sound = addSound(true, endlessMs);
        code = result::invalidArgument;
    }
    Channel* chosen = nullptr;
    if (sound->streamed) {
        // A stream plays on one channel at a time: playing it again restarts it there.
        auto playing = std::find_if(channels.begin(), channels.end(),
                                    [sound](const auto& c) { return c->sound == sound; });
        chosen = playing != channels.end() ? playing->get() : nullptr;
    }
    if (chosen == nullptr) {
        chosen = freeChannel();
    }
    if (chosen == nullptr) {
        return result::noFreeChannel;
    }
    chosen->start(sound, paused);
    if (channel != nullptr) {
        *channel = chosen;
    }
    return code;
}

Channel* System::freeChannel() {
    for (auto& channel : channels) {
        if (!channel->isBusy()) {
            return channel.get();
        }
    }
    return nullptr;
}

int System::getChannelsPlaying(int* count) const {
    *count = static_cast<int>(
        std::count_if(channels.begin(), channels.end(), [](const auto& c) { return c->isBusy(); }));
    return result::ok;
}

} // namespace platform::sound
