#pragma once

#include <cstdint>
#include <span>

namespace platform::sound {

// Where a streamed sound's frames come from: a file read front to back, or
// something made as it plays (a metronome, a stretched loop of a song).
// Frames are interleaved 16-bit samples.
class FrameSource {
public:
    virtual ~FrameSource() = default;

    virtual int channels() const = 0; // 1 or 2: what the device takes directly
    virtual int sampleRate() const = 0;
    // Where a channel playing it stops; infinity for a source without end.
    virtual double lengthMs() const = 0;
    // Reads up to out.size() / channels() frames; returns the frames read (0 at the end).
    virtual std::size_t read(std::span<std::int16_t> out) = 0;
    // The next read starts at this frame of the output.
    virtual void seek(std::int64_t frame) = 0;
};

} // namespace platform::sound
