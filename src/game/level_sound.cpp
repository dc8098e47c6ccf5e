#include "game/level_sound.h"

#include "platform/sound_system.h"

#include <ostream>

namespace game {

namespace sound = platform::sound;

namespace {

constexpr int kChannels = 200;

bool reportFailure(int result, std::ostream& log) {
    if (result != 0) {
        log << "FMOD error! " << result << " " << std::endl;
    }
    return result != 0;
}

} // namespace

LevelSound::LevelSound() = default;

LevelSound::~LevelSound() {
    release();
}

void LevelSound::start(const std::string& musicPath, bool paused, std::ostream& log) {
    soundSystem = std::make_unique<sound::System>();
    soundSystem->init(kChannels, sound::initStreamFromUpdate);
    loadSounds(musicPath, log);
    music->getLength(&songLengthMs);
    soundSystem->playSound(sound::channelFree, music, true, &musicChannel);
    if (!paused && musicChannel != nullptr) {
        musicChannel->setPaused(false);
    }
}

int LevelSound::loadSounds(const std::string& musicPath, std::ostream& log) {
    if (reportFailure(soundSystem->createStream(musicPath.c_str(), sound::modeCreateStream, &music),
                      log)) {
        return 1;
    }
    if (reportFailure(soundSystem->createSound(kStabPath, sound::modeDefault, &stabSound), log)) {
        return 1;
    }
    if (reportFailure(soundSystem->createSound(kClickPath, sound::modeDefault, &clickSound), log)) {
        return 1;
    }
    return 0;
}

unsigned int LevelSound::update() {
    if (held || soundSystem == nullptr || musicChannel == nullptr) {
        return positionMs;
    }
    soundSystem->update();
    musicChannel->getPosition(&positionMs);
    return positionMs;
}

void LevelSound::holdAt(unsigned int position) {
    if (!held) {
        setMusicPaused(true);
        held = true;
    }
    positionMs = position;
}

bool LevelSound::songIsOver() const {
    return !held && positionMs >= songLengthMs;
}

void LevelSound::setMusicPaused(bool paused) {
    if (musicChannel != nullptr) {
        musicChannel->setPaused(paused);
    }
}

void LevelSound::playStab() {
    if (soundSystem != nullptr && stabSound != nullptr) {
        soundSystem->playSound(sound::channelFree, stabSound, false, nullptr);
    }
}

void LevelSound::release() {
    if (soundSystem == nullptr) {
        return;
    }
    if (stabSound != nullptr) {
        stabSound->release();
    }
    if (music != nullptr) {
        music->release();
    }
    soundSystem->release();
    soundSystem.reset();
    music = stabSound = clickSound = nullptr;
    musicChannel = nullptr;
}

} // namespace game
