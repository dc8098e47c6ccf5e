#include "game/level_sound.h"
#include "support/scratch_dir.h"
#include "support/wav_writer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <thread>

using game::LevelSound;

// The game's clock keeps running in silence when the song cannot be opened,
// and the one failed load is reported once.
TEST(LevelSound, MissingSongReportsOnceAndStillCountsTime) {
    testsupport::ScratchDir dir;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(dir.path());
    std::ostringstream log;
    {
        LevelSound sound;
        sound.start(LevelSound::kMusicPath, false, log);
        ASSERT_NE(sound.getMusicChannel(), nullptr);
        const unsigned int first = sound.update();
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        EXPECT_GT(sound.update(), first);
        sound.setMusicPaused(true);
        const unsigned int frozen = sound.update();
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        EXPECT_EQ(sound.update(), frozen);
        EXPECT_FALSE(sound.songIsOver()); // the stand-in's clock has no end
        sound.playStab();                 // never loaded: nothing to play, nothing to crash
        sound.release();
        sound.release();
    }
    std::filesystem::current_path(previous);
    const std::string text = log.str();
    EXPECT_EQ(text.rfind("FMOD error! ", 0), 0u) << text;
    EXPECT_EQ(text.find("FMOD error! ", 1), std::string::npos) << text;
    EXPECT_EQ(text.back(), '\n');
}

// A song shorter than the configured end of the level must still end it: the
// clock stops at the song's last moment and would never pass the end.
TEST(LevelSound, SongIsOverOnceItsLastMomentIsHeard) {
    testsupport::ScratchDir dir;
    std::vector<float> tone(8000 * 3 / 10);
    for (std::size_t i = 0; i < tone.size(); ++i) {
        tone[i] = 0.3f * static_cast<float>(std::sin(0.05 * static_cast<double>(i)));
    }
    const std::string path = (dir.path() / "short.wav").string();
    ASSERT_TRUE(testsupport::writeWav(path, tone, 8000, 1));
    std::ostringstream log;
    LevelSound sound;
    sound.start(path, false, log);
    EXPECT_FALSE(sound.songIsOver());
    const auto giveUp = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (!sound.songIsOver() && std::chrono::steady_clock::now() < giveUp) {
        sound.update();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    EXPECT_TRUE(sound.songIsOver());
    EXPECT_GE(sound.update(), 290u);
    sound.holdAt(100); // a clock set by hand is never the song's end
    EXPECT_FALSE(sound.songIsOver());
}
