#pragma once

#include "platform/frame_source.h"
#include "platform/song_timeline.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace soundtouch {
class SoundTouch;
}

namespace platform::sound {

class SoundFile;

// A stretch of a song played over and over at a lower speed with its pitch
// kept, for practising a passage: SoundTouch stretches the time. The output
// comes in pieces, each one speed from one moment of the song (a loop that
// starts again or a change of speed ends a piece), and each piece is exactly
// as long as its input divided by its speed, so the timeline that maps the
// output back onto the song never drifts, however many loops are played.
class StretchedLoop : public FrameSource {
public:
    // The song from startMs to endMs (cut to the song's end), from the start
    // at `speed`.
    StretchedLoop(std::unique_ptr<SoundFile> song, double startMs, double endMs, double speed);
    ~StretchedLoop() override;
    StretchedLoop(const StretchedLoop&) = delete;
    StretchedLoop& operator=(const StretchedLoop&) = delete;

    // From the end of what has been read so far, which is what the player
    // hears once the stream's queue has played.
    void setSpeed(double speed);
    // What the output played so far and queued is of the song.
    SongTimeline& timeline() { return pieces; }
    double loopStartMs() const;
    double loopEndMs() const;

    // How far ahead of its place a stretched beat sounds, in ms of song: the
    // stretching repeats whole stretches of sound, and a beat is heard with
    // the first of them. Measured with SoundTouch at the settings used here
    // (bench_practice_clock), it grows as the speed falls; the timeline is
    // moved by it so the beats fall where the clock says they are.
    static double beatLeadMs(double speed);

    int channels() const override;
    int sampleRate() const override;
    double lengthMs() const override;
    std::size_t read(std::span<std::int16_t> out) override;
    // Starts the loop again from its beginning at the wanted speed, whatever
    // the frame: the output is made as it plays, so there is nothing of it
    // to go to.
    void seek(std::int64_t frame) override;

private:
    void startPiece();
    // Takes up to `frames` stretched frames of the current piece into out.
    std::size_t take(std::int16_t* out, std::size_t frames);
    void feed();
    double outputMs() const;

    std::unique_ptr<SoundFile> song;
    std::unique_ptr<soundtouch::SoundTouch> stretch;
    std::int64_t startFrame;           // the loop's first frame of the song
    std::int64_t endFrame;             // one past its last
    std::int64_t nextFrame;            // the next song frame to stretch
    double speed;                      // of the current piece
    double wantedSpeed;                // of the next piece
    std::int64_t outputFrames = 0;     // handed out since the start
    std::int64_t pieceInput = 0;       // song frames fed into the current piece
    std::int64_t pieceOutput = 0;      // frames handed out of it
    int loop = 0;                      // loops begun again
    bool draining = false;             // the piece's input is all in; its tail is coming out
    std::vector<std::int16_t> samples; // a chunk of the song, sized once
    std::vector<float> floats;         // the same for SoundTouch, and its output
    SongTimeline pieces;
};

} // namespace platform::sound
