#include "platform/stretched_loop.h"

#include "platform/sound_file.h"

#include <SoundTouch.h>

#include <algorithm>
#include <cmath>
#include <limits>

namespace platform::sound {

namespace {

// Song frames stretched at a time: small enough that a change of speed is
// heard soon, large enough that SoundTouch works in whole sequences.
constexpr std::size_t kChunkFrames = 4096;
// Sequences of 40 ms overlapped by 8, sought within 15: shorter than
// SoundTouch's own choice for slow tempi, so a beat moves less (see
// beatLeadMs) while the music still sounds whole.
constexpr int kSequenceMs = 40;
constexpr int kSeekWindowMs = 15;
constexpr int kOverlapMs = 8;
// beatLeadMs at half speed and below is this much per unit of speed lost.
constexpr double kBeatLeadPerSlowdownMs = 28.0;

std::int64_t frameAt(double ms, int rate) {
    return static_cast<std::int64_t>(std::llround(ms * rate / 1000.0));
}

std::int16_t toSample(float value) {
    return static_cast<std::int16_t>(std::lround(std::clamp(value, -1.0f, 1.0f) * 32767.0f));
}

} // namespace

StretchedLoop::StretchedLoop(std::unique_ptr<SoundFile> songFile, double startMs, double endMs,
                             double loopSpeed)
    : song(std::move(songFile)), stretch(std::make_unique<soundtouch::SoundTouch>()),
      startFrame(std::clamp<std::int64_t>(frameAt(startMs, song->sampleRate()), 0, song->frames())),
      endFrame(
          std::clamp<std::int64_t>(frameAt(endMs, song->sampleRate()), startFrame, song->frames())),
      nextFrame(startFrame), speed(loopSpeed), wantedSpeed(loopSpeed),
      samples(kChunkFrames * static_cast<std::size_t>(song->channels())),
      floats(kChunkFrames * static_cast<std::size_t>(song->channels())) {
    stretch->setSampleRate(static_cast<unsigned int>(song->sampleRate()));
    stretch->setChannels(static_cast<unsigned int>(song->channels()));
    stretch->setSetting(SETTING_SEQUENCE_MS, kSequenceMs);
    stretch->setSetting(SETTING_SEEKWINDOW_MS, kSeekWindowMs);
    stretch->setSetting(SETTING_OVERLAP_MS, kOverlapMs);
    seek(0);
}

StretchedLoop::~StretchedLoop() = default;

double StretchedLoop::beatLeadMs(double atSpeed) {
    return kBeatLeadPerSlowdownMs * std::max(1.0 - atSpeed, 0.0);
}

void StretchedLoop::setSpeed(double newSpeed) {
    wantedSpeed = newSpeed;
}

double StretchedLoop::loopStartMs() const {
    return 1000.0 * static_cast<double>(startFrame) / song->sampleRate();
}

double StretchedLoop::loopEndMs() const {
    return 1000.0 * static_cast<double>(endFrame) / song->sampleRate();
}

int StretchedLoop::channels() const {
    return song->channels();
}

int StretchedLoop::sampleRate() const {
    return song->sampleRate();
}

double StretchedLoop::lengthMs() const {
    return std::numeric_limits<double>::infinity();
}

void StretchedLoop::seek(std::int64_t) {
    outputFrames = 0;
    loop = 0;
    nextFrame = startFrame;
    pieces = SongTimeline{};
    startPiece();
}

double StretchedLoop::outputMs() const {
    return 1000.0 * static_cast<double>(outputFrames) / song->sampleRate();
}

void StretchedLoop::startPiece() {
    if (nextFrame >= endFrame) {
        nextFrame = startFrame;
        ++loop;
    }
    song->seek(nextFrame);
    stretch->clear();
    speed = wantedSpeed;
    stretch->setTempo(speed);
    pieceInput = 0;
    pieceOutput = 0;
    draining = false;
    const double songMs = 1000.0 * static_cast<double>(nextFrame) / song->sampleRate();
    pieces.begin(outputMs(), songMs + beatLeadMs(speed), speed, loop);
}

std::size_t StretchedLoop::read(std::span<std::int16_t> out) {
    const auto channelCount = static_cast<std::size_t>(song->channels());
    const std::size_t wanted = out.size() / channelCount;
    std::size_t produced = 0;
    while (produced < wanted && endFrame > startFrame) {
        const std::size_t got = take(out.data() + produced * channelCount, wanted - produced);
        produced += got;
        if (got > 0) {
            continue;
        }
        if (draining) {
            startPiece();
        } else if (wantedSpeed != speed || nextFrame >= endFrame) {
            stretch->flush();
            draining = true;
        } else {
            feed();
        }
    }
    return produced;
}

std::size_t StretchedLoop::take(std::int16_t* out, std::size_t frames) {
    const auto channelCount = static_cast<std::size_t>(song->channels());
    // A drained piece ends exactly where its length says: SoundTouch's last
    // frames are cut off or made up with silence.
    if (draining) {
        const auto length =
            static_cast<std::int64_t>(std::llround(static_cast<double>(pieceInput) / speed));
        frames = std::min<std::size_t>(frames, static_cast<std::size_t>(length - pieceOutput));
    }
    frames = std::min(frames, kChunkFrames);
    std::size_t got = stretch->receiveSamples(floats.data(), static_cast<unsigned int>(frames));
    if (draining && got < frames) {
        std::fill(floats.begin() + static_cast<std::ptrdiff_t>(got * channelCount),
                  floats.begin() + static_cast<std::ptrdiff_t>(frames * channelCount), 0.0f);
        got = frames;
    }
    for (std::size_t i = 0; i < got * channelCount; ++i) {
        out[i] = toSample(floats[i]);
    }
    pieceOutput += static_cast<std::int64_t>(got);
    outputFrames += static_cast<std::int64_t>(got);
    return got;
}

void StretchedLoop::feed() {
    const auto channelCount = static_cast<std::size_t>(song->channels());
    const auto frames =
        static_cast<std::size_t>(std::min<std::int64_t>(kChunkFrames, endFrame - nextFrame));
    const std::size_t got = song->read({samples.data(), frames * channelCount});
    if (got == 0) {
        // The song ended before its length said: the loop ends here.
        endFrame = nextFrame;
        return;
    }
    for (std::size_t i = 0; i < got * channelCount; ++i) {
        floats[i] = static_cast<float>(samples[i]) / 32768.0f;
    }
    stretch->putSamples(floats.data(), static_cast<unsigned int>(got));
    nextFrame += static_cast<std::int64_t>(got);
    pieceInput += static_cast<std::int64_t>(got);
}

} // namespace platform::sound
