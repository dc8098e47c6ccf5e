#pragma once

#include "platform/frame_source.h"

#include <cstdint>
#include <memory>
#include <string>

// The decoder side of the sound layer: one open sound file (WAV, MP3, ...)
// read as interleaved 16-bit frames.

struct sf_private_tag;

namespace platform::sound {

class SoundFile : public FrameSource {
public:
    // Opens path; on failure prints one line naming the file and the reason on
    // the error stream and returns a non-zero result code with *file left empty.
    static int open(const std::string& path, std::unique_ptr<SoundFile>* file);
    ~SoundFile() override;
    SoundFile(const SoundFile&) = delete;
    SoundFile& operator=(const SoundFile&) = delete;

    int channels() const override { return channelCount; }
    int sampleRate() const override { return rate; }
    std::int64_t frames() const { return frameCount; }
    double lengthMs() const override { return 1000.0 * static_cast<double>(frameCount) / rate; }

    // Reads up to out.size() / channels() frames; returns the frames read (0 at the end).
    std::size_t read(std::span<std::int16_t> out) override;
    // Back to the first frame.
    void rewind();
    // Goes to the frame (clamped to the file) for the next read.
    void seek(std::int64_t frame) override;

private:
    SoundFile(sf_private_tag* handle, int channels, int rate, std::int64_t frames);

    sf_private_tag* handle;  // libsndfile's open file
    int channelCount;        // 1 or 2: what the device takes directly
    int rate;                // frames per second
    std::int64_t frameCount; // length of the whole file
};

} // namespace platform::sound
