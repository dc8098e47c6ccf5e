#pragma once

#include "platform/frame_source.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

// A long sound decoded (or made) a little at a time into a short queue of
// OpenAL buffers, topped up from the game's per-frame update on the main
// thread.

namespace platform::sound {

class MusicStream {
public:
    explicit MusicStream(std::unique_ptr<FrameSource> source);
    ~MusicStream();
    MusicStream(const MusicStream&) = delete;
    MusicStream& operator=(const MusicStream&) = delete;

    // From the frame (the top of the file unless told): fills and queues
    // every buffer on source.
    void start(unsigned int source, std::int64_t fromFrame = 0);
    int sampleRate() const { return file->sampleRate(); }
    // Refills the buffers the source has finished with. True while anything
    // is left queued, so a source that ran dry can be restarted.
    bool feed(unsigned int source);
    // Stops the source and takes the buffers back.
    void detach(unsigned int source);
    // Length of the buffers already played and taken back, in ms.
    double playedMs() const;
    double lengthMs() const { return file->lengthMs(); }

    // Ring size times buffer length is how long the game may stall before the
    // music does: four buffers of 8192 frames are about 0.75 s at 44.1 kHz.
    static constexpr int bufferCount = 4;
    static constexpr std::size_t framesPerBuffer = 8192;

private:
    // Decodes the next piece into buffer slot and queues it; false at the end.
    bool queueNext(unsigned int source, std::size_t slot);
    std::size_t slotOf(unsigned int buffer) const;

    std::unique_ptr<FrameSource> file;               // the frames, read front to back
    std::array<unsigned int, bufferCount> buffers{}; // the OpenAL buffers of the ring
    std::array<std::size_t, bufferCount> framesIn{}; // frames queued in each buffer
    std::vector<std::int16_t> scratch;               // decoding space, sized once
    std::int64_t playedFrames = 0;                   // frames of buffers taken back
    int queued = 0;                                  // buffers on the source now
};

} // namespace platform::sound
