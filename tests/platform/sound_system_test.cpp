#include "platform/sound_system.h"

#include "support/scratch_dir.h"
#include "support/wav_writer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

namespace {

namespace sound = platform::sound;

// A tone of the given length, written the way the game's own files are.
void writeTone(const std::string& path, double seconds, int rate, int channels,
               int format = SF_FORMAT_WAV | SF_FORMAT_PCM_16) {
    std::vector<float> samples(static_cast<std::size_t>(seconds * rate) * channels);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        samples[i] = 0.25f * static_cast<float>(std::sin(0.05 * static_cast<double>(i / channels)));
    }
    ASSERT_TRUE(testsupport::writeWav(path, samples, rate, channels, format)) << path;
}

// Runs the game's per-frame calls for at least ms of wall time, checking the
// position never goes back; returns the position read at the end.
unsigned int playFor(sound::System& system, sound::Channel* channel, int ms) {
    unsigned int previous = 0;
    channel->getPosition(&previous);
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    unsigned int position = previous;
    do {
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
        system.update();
        channel->getPosition(&position);
        EXPECT_GE(position, previous) << "the position went back";
        previous = position;
    } while (std::chrono::steady_clock::now() < end);
    return position;
}

using WallClock = std::chrono::steady_clock;

// Plays for ms and checks the position moved by about that much: at least half
// of it even on a busy machine, and never more than a mixing period past the
// wall time since the music started running at runningSince from position
// runningFrom.
void expectAdvance(sound::System& system, sound::Channel* channel, int ms,
                   WallClock::time_point runningSince, unsigned int runningFrom = 0) {
    unsigned int before = 0;
    channel->getPosition(&before);
    const unsigned int after = playFor(system, channel, ms);
    const auto wallMs =
        std::chrono::duration_cast<std::chrono::milliseconds>(WallClock::now() - runningSince)
            .count();
    EXPECT_GE(after, before + ms / 2);
    // A device without hardware (OpenAL's null output) mixes a period ahead
    // of the wall clock and reports that offset, so the estimate may settle up
    // to one default period (1024 frames, about 23 ms) forward.
    EXPECT_LE(after, runningFrom + wallMs + 25) << "more than one mixing period ahead";
}

class SoundSystemTest : public ::testing::TestWithParam<bool> {
protected:
    static void SetUpTestSuite() { setenv("ALSOFT_DRIVERS", "null", 0); }

    void SetUp() override {
        silent = GetParam();
        if (silent) {
            options.deviceName = "no such audio device";
        }
        writeTone(dir.file("music.wav"), 1.0, 48000, 2);
        writeTone(dir.file("stab.wav"), 0.5, 44100, 1);
        system = std::make_unique<sound::System>(options);
        testing::internal::CaptureStderr();
        ASSERT_EQ(system->init(200, sound::initStreamFromUpdate), sound::result::ok);
        initErrors = testing::internal::GetCapturedStderr();
    }

    sound::Channel* startMusic(sound::Sound** music) {
        EXPECT_EQ(
            system->createStream(dir.file("music.wav").c_str(), sound::modeCreateStream, music),
            sound::result::ok);
        sound::Channel* channel = nullptr;
        EXPECT_EQ(system->playSound(sound::channelFree, *music, true, &channel), sound::result::ok);
        return channel;
    }

    bool silent = false;
    sound::SystemOptions options;
    testsupport::ScratchDir dir;
    std::unique_ptr<sound::System> system;
    std::string initErrors;
};

TEST_P(SoundSystemTest, TheAskedForDeviceOrItsAbsenceRunsMusicPausedFrozenResumedToItsLength) {
    EXPECT_EQ(system->isSilent(), silent);
    if (silent) {
        EXPECT_NE(initErrors.find("no such audio device"), std::string::npos);
        EXPECT_EQ(std::count(initErrors.begin(), initErrors.end(), '\n'), 1);
    } else {
        EXPECT_EQ(initErrors, "");
    }
    sound::Sound* music = nullptr;
    sound::Channel* channel = startMusic(&music);
    ASSERT_NE(channel, nullptr);
    EXPECT_EQ(playFor(*system, channel, 100), 0u) << "paused at start";

    const auto started = WallClock::now();
    channel->setPaused(false);
    // The first ~50 ms are the device's latency: nothing is heard yet.
    playFor(*system, channel, 100);
    expectAdvance(*system, channel, 250, started);

    channel->setPaused(true);
    unsigned int atPause = 0;
    channel->getPosition(&atPause);
    EXPECT_EQ(playFor(*system, channel, 250), atPause);
    bool paused = false;
    channel->getPaused(&paused);
    EXPECT_TRUE(paused);

    const auto resumed = WallClock::now();
    channel->setPaused(false);
    playFor(*system, channel, 100);
    expectAdvance(*system, channel, 200, resumed, atPause);

    // 1 s of music is more than the stream's buffer ring holds: it plays
    // through its buffers and stops at its length (on a busy machine the
    // mixer may take longer than the music lasts to get there).
    const auto giveUp = WallClock::now() + std::chrono::seconds(5);
    unsigned int end = 0;
    do {
        end = playFor(*system, channel, 100);
    } while (end < 1000u && WallClock::now() < giveUp);
    EXPECT_EQ(end, 1000u);
    EXPECT_EQ(playFor(*system, channel, 100), 1000u) << "the position stays at the end";
    int busy = 0;
    system->getChannelsPlaying(&busy);
    EXPECT_EQ(busy, 1) << "the music keeps its channel";
}

TEST_P(SoundSystemTest, Mp3MusicIsDecodedAndStreamed) {
    writeTone(dir.file("song.mp3"), 1.0, 44100, 2, SF_FORMAT_MPEG | SF_FORMAT_MPEG_LAYER_III);
    sound::Sound* music = nullptr;
    ASSERT_EQ(system->createStream(dir.file("song.mp3").c_str(), sound::modeCreateStream, &music),
              sound::result::ok);
    unsigned int lengthMs = 0;
    music->getLength(&lengthMs);
    EXPECT_NEAR(lengthMs, 1000, 60);
    sound::Channel* channel = nullptr;
    const auto started = WallClock::now();
    ASSERT_EQ(system->playSound(sound::channelFree, music, false, &channel), sound::result::ok);
    playFor(*system, channel, 100);
    expectAdvance(*system, channel, 200, started);
}

TEST_P(SoundSystemTest, StabsOverlapOnTheirOwnChannelsAndEndOnTheirOwn) {
    sound::Sound* music = nullptr;
    startMusic(&music);
    sound::Sound* stab = nullptr;
    ASSERT_EQ(system->createSound(dir.file("stab.wav").c_str(), sound::modeDefault, &stab),
              sound::result::ok);
    for (int i = 0; i < 40; ++i) {
        ASSERT_EQ(system->playSound(sound::channelFree, stab, false, nullptr), sound::result::ok);
    }
    int busy = 0;
    system->getChannelsPlaying(&busy);
    EXPECT_EQ(busy, 41);
    // The stab lasts 0.5 s; a busy machine may mix it a little late.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
    while (busy > 1 && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        system->getChannelsPlaying(&busy);
    }
    EXPECT_EQ(busy, 1) << "only the music is left";
    stab->release();
    music->release();
    system->getChannelsPlaying(&busy);
    EXPECT_EQ(busy, 0);
}

TEST_P(SoundSystemTest, AnEffectIsReadOnceForTheWholeRunAndAFailedOneAgain) {
    sound::Sound* first = nullptr;
    ASSERT_EQ(system->createSound(dir.file("stab.wav").c_str(), sound::modeDefault, &first),
              sound::result::ok);
    unsigned int firstLength = 0;
    first->getLength(&firstLength);
    EXPECT_EQ(firstLength, 500u);
    std::filesystem::remove(dir.file("stab.wav"));

    // The next song's system, or a restart's: nothing is read from the disk.
    sound::System next(options);
    next.init(8, 0);
    sound::Sound* again = nullptr;
    ASSERT_EQ(next.createSound(dir.file("stab.wav").c_str(), sound::modeDefault, &again),
              sound::result::ok)
        << "the effect was read from disk again";
    unsigned int againLength = 0;
    again->getLength(&againLength);
    EXPECT_EQ(againLength, firstLength);
    ASSERT_EQ(next.playSound(sound::channelFree, again, false, nullptr), sound::result::ok);
    int busy = 0;
    next.getChannelsPlaying(&busy);
    EXPECT_EQ(busy, 1);

    // A file that was missing is looked for again once it is there.
    sound::Sound* late = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_NE(next.createSound(dir.file("late.wav").c_str(), sound::modeDefault, &late),
              sound::result::ok);
    testing::internal::GetCapturedStderr();
    writeTone(dir.file("late.wav"), 0.25, 44100, 1);
    EXPECT_EQ(next.createSound(dir.file("late.wav").c_str(), sound::modeDefault, &late),
              sound::result::ok);
}

TEST_P(SoundSystemTest, AFullPoolRefusesANewStabRatherThanCuttingOne) {
    system.reset(); // one device at a time
    sound::System small(options);
    testing::internal::CaptureStderr();
    small.init(3, 0);
    testing::internal::GetCapturedStderr();
    sound::Sound* stab = nullptr;
    small.createSound(dir.file("stab.wav").c_str(), sound::modeDefault, &stab);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(small.playSound(sound::channelFree, stab, false, nullptr), sound::result::ok);
    }
    EXPECT_EQ(small.playSound(sound::channelFree, stab, false, nullptr),
              sound::result::noFreeChannel);
    int busy = 0;
    small.getChannelsPlaying(&busy);
    EXPECT_EQ(busy, 3);
}

TEST_P(SoundSystemTest, MissingOrBrokenFilesAreNamedAndTheMusicChannelStillRuns) {
    sound::Sound* music = nullptr;
    testing::internal::CaptureStderr();
    const int code =
        system->createStream(dir.file("nooneknows.mp3").c_str(), sound::modeCreateStream, &music);
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(code, sound::result::fileNotFound);
    EXPECT_NE(errors.find("nooneknows.mp3"), std::string::npos);
    EXPECT_NE(errors.find("No such file"), std::string::npos);
    EXPECT_EQ(std::count(errors.begin(), errors.end(), '\n'), 1);
    ASSERT_NE(music, nullptr);

    sound::Channel* channel = nullptr;
    EXPECT_EQ(system->playSound(sound::channelFree, music, true, &channel), sound::result::ok);
    ASSERT_NE(channel, nullptr);
    const auto started = WallClock::now();
    channel->setPaused(false);
    expectAdvance(*system, channel, 150, started);

    std::ofstream(dir.file("broken.wav")) << "not a sound";
    sound::Sound* broken = nullptr;
    testing::internal::CaptureStderr();
    EXPECT_EQ(system->createSound(dir.file("broken.wav").c_str(), sound::modeDefault, &broken),
              sound::result::badFormat);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("broken.wav"), std::string::npos);
    EXPECT_EQ(system->playSound(sound::channelFree, broken, false, nullptr), sound::result::ok);
}

TEST_P(SoundSystemTest, ANullMusicStillGetsAChannelAndNothingWorksBeforeInit) {
    sound::Channel* channel = nullptr;
    const auto started = WallClock::now();
    EXPECT_EQ(system->playSound(sound::channelFree, nullptr, false, &channel),
              sound::result::invalidArgument);
    ASSERT_NE(channel, nullptr);
    expectAdvance(*system, channel, 150, started);
    EXPECT_EQ(system->playSound(sound::channelFree, nullptr, false, nullptr),
              sound::result::invalidArgument);

    sound::System fresh(options);
    sound::Sound* sound = nullptr;
    EXPECT_EQ(fresh.createSound(dir.file("stab.wav").c_str(), sound::modeDefault, &sound),
              sound::result::notInitialised);
    EXPECT_EQ(sound, nullptr);
}

INSTANTIATE_TEST_SUITE_P(DeviceAndSilent, SoundSystemTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Silent" : "OpenAl"; });

} // namespace
