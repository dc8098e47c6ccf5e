#pragma once

#include "platform/frame_source.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The decoder side of the sound layer: one open sound file (WAV, MP3, ...)
// read as interleaved 16-bit frames of one or two channels, what a device
// takes. A file of more channels (a 5.1 mix, say) is read as stereo: its first
// two channels are left and right, every further one goes to both at half
// strength, and the sum is scaled so that it cannot clip.

struct sf_private_tag;

namespace platform::sound {

class SoundFile : public FrameSource {
public:
    static constexpr int kMostChannels = 64;

    // Opens path; on failure prints one line naming the file and the reason on
    // the error stream and returns a non-zero result code with *file left empty.
    // Files of more than kMostChannels channels are refused.
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
    SoundFile(sf_private_tag* handle, int fileChannels, int rate, std::int64_t frames);
    // Reads frames of the file's own channels and mixes them into out's two.
    std::size_t readMixedDown(std::span<std::int16_t> out);

    sf_private_tag* handle;  // libsndfile's open file
    int fileChannels;        // as the file holds them
    int channelCount;        // 1 or 2: what the device takes directly
    int rate;                // frames per second
    std::int64_t frameCount; // length of the whole file
    // The file's frames before they are mixed down; sized by the first read,
    // which the stream makes the same size every time.
    std::vector<std::int16_t> unmixed;
};

} // namespace platform::sound
