#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

// The decoder side of the sound layer: one open sound file (WAV, MP3, ...)
// read as interleaved 16-bit frames.

struct sf_private_tag;

namespace platform::sound {

class SoundFile {
public:
    // Opens path; on failure prints one line naming the file and the reason on
    // the error stream and returns a non-zero result code with *file left empty.
    static int open(const std::string& path, std::unique_ptr<SoundFile>* file);
    ~SoundFile();
    SoundFile(const SoundFile&) = delete;
    SoundFile& operator=(const SoundFile&) = delete;

    int channels() const { return channelCount; }
    int sampleRate() const { return rate; }
    std::int64_t frames() const { return frameCount; }
    double lengthMs() const { return 1000.0 * static_cast<double>(frameCount) / rate; }

    // Reads up to out.size() / channels() frames; returns the frames read (0 at the end).
    std::size_t read(std::span<std::int16_t> out);
    void rewind();
    // Goes to the frame (clamped to the file) for the next read.
    void seek(std::int64_t frame);

private:
    SoundFile(sf_private_tag* handle, int channels, int rate, std::int64_t frames);

    sf_private_tag* handle;  // libsndfile's open file
    int channelCount;        // 1 or 2: what the device takes directly
    int rate;                // frames per second
    std::int64_t frameCount; // length of the whole file
};

} // namespace platform::sound
