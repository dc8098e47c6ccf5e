#include "game/calibration_sound.h"

#include "platform/metronome.h"
#include "platform/sound_clock.h"
#include "platform/sound_file.h"
#include "platform/sound_system.h"

#include <ostream>

namespace game {

namespace sound = platform::sound;

CalibrationSound::CalibrationSound() = default;

CalibrationSound::~CalibrationSound() {
    release();
}

void CalibrationSound::start(double firstClickMs, double beatMs, std::ostream& log) {
    system = std::make_unique<sound::System>();
    system->init(1, sound::initStreamFromUpdate);
    std::unique_ptr<sound::SoundFile> click;
    std::unique_ptr<sound::FrameSource> metronome;
    if (sound::SoundFile::open(kClickPath, &click) == sound::result::ok) {
        metronome = std::make_unique<sound::Metronome>(*click, firstClickMs, beatMs);
    } else {
        log << "calibration: no click to play; the clock runs in silence" << std::endl;
    }
    sound::Sound* stream = nullptr;
    system->createStream(std::move(metronome), &stream);
    system->playSound(sound::channelFree, stream, false, &channel);
    readAtMs = sound::steadyNowMs();
}

double CalibrationSound::update() {
    if (system == nullptr || channel == nullptr) {
        return clockMs;
    }
    system->update();
    channel->getPositionMs(&clockMs);
    readAtMs = sound::steadyNowMs();
    return clockMs;
}

double CalibrationSound::clockAt(double steadyMs) const {
    return clockMs + (steadyMs - readAtMs);
}

void CalibrationSound::release() {
    if (system != nullptr) {
        system->release();
        system.reset();
    }
    channel = nullptr;
}

} // namespace game
