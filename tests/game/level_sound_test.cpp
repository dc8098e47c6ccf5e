#include "game/level_sound.h"
#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <chrono>
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
        sound.playStab(); // never loaded: nothing to play, nothing to crash
        sound.release();
        sound.release();
    }
    std::filesystem::current_path(previous);
    const std::string text = log.str();
    EXPECT_EQ(text.rfind("FMOD error! ", 0), 0u) << text;
    EXPECT_EQ(text.find("FMOD error! ", 1), std::string::npos) << text;
    EXPECT_EQ(text.back(), '\n');
}
