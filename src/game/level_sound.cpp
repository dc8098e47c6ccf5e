#include "game/level_sound.h"

#include "platform/sound_file.h"
#include "platform/sound_system.h"
#include "platform/stretched_loop.h"

#include <cmath>
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
    playMusic(paused);
}

void LevelSound::startPractice(const std::string& musicPath, const PracticeRange& range,
                               std::ostream& log) {
    practice = range;
    soundSystem = std::make_unique<sound::System>();
    soundSystem->init(kChannels, sound::initStreamFromUpdate);
    std::unique_ptr<sound::SoundFile> song;
    const int opened = sound::SoundFile::open(musicPath, &song);
    if (opened == sound::result::ok && !soundSystem->isSilent()) {
        auto loop = std::make_unique<sound::StretchedLoop>(std::move(song), range.loopStartMs(),
                                                           range.loopEndMs(), range.speed);
        stretched = loop.get();
        soundSystem->createStream(std::move(loop), &music);
    } else {
        // The silent stand-in runs without end; the loops are counted on it.
        reportFailure(opened, log);
        soundSystem->createStream(nullptr, &music);
        silentTimeline.begin(0.0, range.loopStartMs(), range.speed, 0);
    }
    loadEffects(log);
    playMusic(false);
}

std::optional<double> LevelSound::lengthOfSong(const std::string& musicPath) {
    std::unique_ptr<sound::SoundFile> song;
    if (sound::SoundFile::open(musicPath, &song) != sound::result::ok) {
        return std::nullopt;
    }
    return song->lengthMs();
}

void LevelSound::playMusic(bool paused) {
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
    return loadEffects(log);
}

int LevelSound::loadEffects(std::ostream& log) {
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
    if (!practice) {
        musicChannel->getPosition(&positionMs);
        return positionMs;
    }
    double outputMs = 0.0;
    musicChannel->getPositionMs(&outputMs);
    if (stretched == nullptr) {
        loopInSilence(outputMs);
    }
    sound::SongTimeline& timeline = stretched != nullptr ? stretched->timeline() : silentTimeline;
    const double songMs = timeline.songMsAt(outputMs);
    const sound::SongTimeline::Piece heard = timeline.pieceAt(outputMs);
    heardSpeed = heard.speed;
    heardLoop = heard.loop;
    positionMs = static_cast<unsigned int>(std::lround(std::max(songMs, 0.0)));
    return positionMs;
}

void LevelSound::loopInSilence(double outputMs) {
    const sound::SongTimeline::Piece last = silentTimeline.last();
    const double endMs = practice->loopEndMs();
    const double loopEndsAt = last.outputMs + (endMs - last.songMs) / last.speed;
    if (outputMs >= loopEndsAt) {
        silentTimeline.begin(loopEndsAt, practice->loopStartMs(), last.speed, last.loop + 1);
    }
}

void LevelSound::setSpeed(double newSpeed) {
    if (!practice) {
        return;
    }
    practice->speed = newSpeed;
    if (stretched != nullptr) {
        stretched->setSpeed(newSpeed);
        return;
    }
    if (musicChannel != nullptr) {
        double outputMs = 0.0;
        musicChannel->getPositionMs(&outputMs);
        const double songMs = silentTimeline.songMsAt(outputMs);
        silentTimeline.begin(outputMs, songMs, newSpeed, silentTimeline.last().loop);
    }
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

void LevelSound::keepDeviceTime() {
    if (soundSystem != nullptr) {
        soundSystem->update();
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
    stretched = nullptr;
    music = stabSound = clickSound = nullptr;
    musicChannel = nullptr;
}

} // namespace game
