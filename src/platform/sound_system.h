#pragma once

// The game's sound layer: one system with a pool of channels, sounds loaded
// whole (effects) or streamed (music), and the music channel's position in
// milliseconds as the clock of the game. Built on OpenAL; without a device it
// keeps the same behaviour with silent channels driven by the wall clock.
//
// Every operation returns a result code (platform/sound_result.h), 0 on success.
// Everything runs on the calling thread: the music is decoded in update().
// One initialised system at a time owns the audio device.

#include "platform/sound_clock.h"
#include "platform/sound_result.h"

#include <memory>
#include <string>
#include <vector>

namespace platform::sound {

constexpr int initStreamFromUpdate = 1; // the only init flag: the stream is fed by update()
constexpr int modeDefault = 0;          // createSound: decode the whole file into memory
constexpr int modeCreateStream = 0x80;  // decode while playing; what createStream always does
constexpr int channelFree = -1;         // playSound: any channel that is not busy

class FrameSource;
class MusicStream;
class OpenAlDevice;
class System;

class Sound {
public:
    ~Sound();
    // Stops the channels playing it and frees it; the pointer is dead afterwards.
    int release();
    int getLength(unsigned int* lengthMs) const;

private:
    friend class System;
    friend class Channel;
    Sound(System* owner, bool streamed, double lengthMs);
    bool isAudible() const { return buffer != 0 || stream != nullptr; }

    System* owner;                       // frees the sound on release
    bool streamed;                       // plays on one kept channel at a time
    double lengthMs;                     // where its channel stops; endless for a stand-in
    unsigned int buffer = 0;             // an effect's samples on the device; 0 when silent
    std::unique_ptr<MusicStream> stream; // the music's decoder and buffer ring; null when silent
};

class Channel {
public:
    int setPaused(bool paused);
    int getPaused(bool* paused) const;
    // The song position being heard, rounded to whole ms: frozen while
    // paused, never going back while playing; on resuming it may start up to
    // one mixing period of the device before where it froze, as the music does.
    int getPosition(unsigned int* positionMs);
    // The same, unrounded, for measurements.
    int getPositionMs(double* positionMs);
    // What the device itself reports as heard, unsmoothed: it moves in steps
    // of the device's mixing period. For measuring the smoothing.
    int getDevicePositionMs(double* positionMs) const;
    // Moves a streamed sound to the position (the song library's previews
    // start inside a song); paused or playing as before.
    int setPosition(unsigned int positionMs);
    // Loudness from 0 (silent) to 1 (as recorded), for fades.
    int setVolume(float volume);

private:
    friend class System;
    Channel(System* owner, unsigned int source);
    void start(Sound* sound, bool paused);
    void stop();
    void feed();
    bool isBusy() const;
    bool isAdvancing() const;
    double reportedMs(double nowMs) const;
    double heardMs(double nowMs);
    bool isAudible() const { return source != 0 && sound != nullptr && sound->isAudible(); }

    System* owner;            // the device to ask about positions
    unsigned int source;      // the device's voice; 0 on a silent system
    Sound* sound = nullptr;   // what it plays; null when free
    bool paused = false;      // as the game set it
    SilentClock silentClock;  // the position when no audio stands behind the channel
    ChannelPosition position; // what getPosition hands out
};

struct SystemOptions {
    // The OpenAL device to open; empty for the default one. A name that does
    // not open takes the same silent path as a machine without audio.
    std::string deviceName;
};

class System {
public:
    explicit System(SystemOptions options = {});
    ~System();
    System(const System&) = delete;
    System& operator=(const System&) = delete;

    // maxChannels voices, flags 0 or initStreamFromUpdate. Falls back to a
    // silent system, with one line on the error stream, when no device opens.
    int init(int maxChannels, int flags);
    // Once per frame, paused or not: tops up the music stream and reads the
    // device's clock, so its timing is known the moment the music resumes.
    int update();
    // Frees every sound and channel and closes the device.
    int release();

    // On failure *sound is still a silent stand-in with an endless clock, so
    // the music channel always exists; the code tells the caller what failed.
    int createStream(const char* path, int mode, Sound** sound);
    // A stream of frames made as it plays; on a silent system a stand-in as
    // long as the source says.
    int createStream(std::unique_ptr<FrameSource> source, Sound** sound);
    // The file is decoded once for the whole run and kept, known by the file
    // its path leads to, so every later system playing it reads nothing from
    // disk. On failure
    // *sound is a silent stand-in that plays for no time.
    int createSound(const char* path, int mode, Sound** sound);
    // channelId must be channelFree. A null sound gets a silent endless
    // channel and invalidArgument. channel may be null (fire and forget).
    int playSound(int channelId, Sound* sound, bool paused, Channel** channel);

    int getChannelsPlaying(int* count) const;
    bool isSilent() const { return device == nullptr; }

private:
    friend class Sound;
    friend class Channel;
    Sound* load(const char* path, bool streamed, int* result);
    Sound* addSound(bool streamed, double lengthMs);
    void releaseSound(Sound* sound);
    Channel* freeChannel();
    // The device's clock now, smoothed; the latency in *latencyMs.
    double deviceNowMs(double* latencyMs);

    SystemOptions options;                          // how init picks the device
    std::unique_ptr<OpenAlDevice> device;           // null: silent system
    SteppedClock deviceClock;                       // the device's clock, read every frame
    std::vector<std::unique_ptr<Channel>> channels; // the pool; pointers stay valid until release
    std::vector<std::unique_ptr<Sound>> sounds;     // everything created and not yet released
    bool initialised = false;                       // between init and release
};

} // namespace platform::sound
