#pragma once

#include "platform/frame_source.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <vector>

namespace platform::sound {

class SoundFile;

// A click at firstClickMs and every beatMs after it, without end: the
// calibration's beat. Each click starts on its exact frame, so the stream's
// position is the clicks' clock.
class Metronome : public FrameSource {
public:
    Metronome(SoundFile& click, double firstClickMs, double beatMs);

    int channels() const override { return channelCount; }
    int sampleRate() const override { return rate; }
    double lengthMs() const override;
    std::size_t read(std::span<std::int16_t> out) override;
    void seek(std::int64_t frame) override { nextFrame = std::max<std::int64_t>(frame, 0); }

private:
    std::vector<std::int16_t> click; // the click's frames, decoded once
    int channelCount;
    int rate;
    std::int64_t firstFrame; // where the first click starts
    double beatFrames;       // frames from one click to the next
    std::int64_t nextFrame = 0;
};

} // namespace platform::sound
