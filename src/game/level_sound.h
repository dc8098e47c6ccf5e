#pragma once

#include "game/practice.h"
#include "platform/song_timeline.h"

#include <iosfwd>
#include <limits>
#include <memory>
#include <optional>
#include <string>

namespace platform::sound {
class Channel;
class Sound;
class StretchedLoop;
class System;
} // namespace platform::sound

namespace game {

// The sound of one level: the streamed song, whose channel is the game's
// clock, and the stab played at each cue.
class LevelSound {
public:
    static constexpr const char* kMusicPath = "Sound/nooneknows.mp3";
    static constexpr const char* kStabPath = "Sound/stab0041.wav";
    static constexpr const char* kClickPath = "Sound/click.wav";

    LevelSound();
    ~LevelSound();
    LevelSound(const LevelSound&) = delete;
    LevelSound& operator=(const LevelSound&) = delete;

    // Opens the sound system, loads the song at musicPath and the two
    // samples (a failed load is reported on `log` as "FMOD error! <code> "
    // and skips the later ones) and starts the song, paused when `paused`. A
    // song that cannot be opened still gets a channel, which counts time in
    // silence.
    void start(const std::string& musicPath, bool paused, std::ostream& log);
    // The same for practice: the song's loop (see PracticeRange) played over
    // and over at the range's speed, its pitch kept; the position is then
    // the song's moment being heard, which jumps back as a loop begins.
    void startPractice(const std::string& musicPath, const PracticeRange& practice,
                       std::ostream& log);
    // Feeds the stream; then the song position in ms, or the held one.
    unsigned int update();
    // In practice: the speed from the end of what is queued for playing (a
    // fraction of a second ahead), and what is being heard now.
    void setSpeed(double speed);
    double speed() const { return heardSpeed; }
    // Loops of the practice begun again before the one being heard.
    int loop() const { return heardLoop; }
    // The length of the song at musicPath, ms; nothing when it does not open.
    static std::optional<double> lengthOfSong(const std::string& musicPath);
    // Silences the song for good and makes update() answer positionMs from now
    // on: a caller that sets the clock itself sees the game at any moment of
    // the song, the same on every run.
    void holdAt(unsigned int positionMs);
    // Whether holdAt sets the clock: it then moves only when set again.
    bool isHeld() const { return held; }
    // True once the song has been heard to its last moment; never for a held
    // clock or a song that could not be opened (its stand-in never ends).
    bool songIsOver() const;
    void setMusicPaused(bool paused);
    // While paused: the sound system reads the device's clock as on any frame.
    void keepDeviceTime();
    // The stab, on a channel of its own; nothing when it did not load.
    void playStab();
    // Frees the sounds and the system; safe to call twice.
    void release();

    platform::sound::Channel* getMusicChannel() const { return musicChannel; }

private:
    int loadSounds(const std::string& musicPath, std::ostream& log);
    int loadEffects(std::ostream& log);
    void playMusic(bool paused);
    // Without a sound device the practice's timeline follows the wall clock,
    // starting a loop again where the song's loop ends.
    void loopInSilence(double outputMs);

    std::unique_ptr<platform::sound::System> soundSystem; // owns every sound and channel
    platform::sound::Sound* music = nullptr;              // the song, streamed
    platform::sound::Channel* musicChannel = nullptr;     // the song's channel: the game clock
    platform::sound::Sound* stabSound = nullptr;          // played at each cue event
    platform::sound::Sound* clickSound = nullptr;         // loaded with the others, not played yet
    unsigned int positionMs = 0;                          // the song position as last read
    // Where the song's clock stops: a configured end past it would never come.
    unsigned int songLengthMs = std::numeric_limits<unsigned int>::max();
    bool held = false; // the position is set by holdAt, not read from the song
    // Practice: the stretched song (owned by its stream), or with no device
    // a timeline of the loops kept here; the song's loop.
    std::optional<PracticeRange> practice;
    platform::sound::StretchedLoop* stretched = nullptr;
    platform::sound::SongTimeline silentTimeline;
    double heardSpeed = 1.0;
    int heardLoop = 0;
};

// The song a level plays and when its game ends: the shipped song's unless
// the configuration names another.
struct SongChoice {
    std::string musicPath = LevelSound::kMusicPath;
    unsigned int endMs = 116000; // the game ends at the first position past this
};

} // namespace game
