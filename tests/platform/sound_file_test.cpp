#include "platform/sound_file.h"
#include "platform/sound_result.h"

#include "support/scratch_dir.h"
#include "support/wav_writer.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

namespace sound = platform::sound;

// A file whose channels each hold one level throughout.
std::string writeLevels(const testsupport::ScratchDir& dir, const std::string& name,
                        const std::vector<float>& levels, int frames) {
    std::vector<float> samples;
    for (int frame = 0; frame < frames; ++frame) {
        samples.insert(samples.end(), levels.begin(), levels.end());
    }
    const std::string path = dir.file(name);
    EXPECT_TRUE(testsupport::writeWav(path, samples, 48000, static_cast<int>(levels.size())));
    return path;
}

TEST(SoundFile, ASurroundMixIsHeardAsStereoWithEveryChannelAndNeverClips) {
    testsupport::ScratchDir dir;
    // Front left and right, centre, bass, surround left and right (a 5.1 mix).
    const std::string path =
        writeLevels(dir, "surround.wav", {0.6f, -0.6f, 0.3f, 0.1f, 0.2f, -0.2f}, 1000);
    std::unique_ptr<sound::SoundFile> file;
    ASSERT_EQ(sound::SoundFile::open(path, &file), sound::result::ok);
    EXPECT_EQ(file->channels(), 2);
    EXPECT_EQ(file->frames(), 1000);
    std::vector<std::int16_t> out(2 * 1500);
    ASSERT_EQ(file->read(out), 1000u);
    // (2 * front + the other four) / 6 of full scale.
    EXPECT_NEAR(out[0] / 32768.0, (2 * 0.6 + 0.4) / 6.0, 0.001);
    EXPECT_NEAR(out[1] / 32768.0, (2 * -0.6 + 0.4) / 6.0, 0.001);
    EXPECT_EQ(out[2 * 999], out[0]);

    // Every channel at full scale adds up to full scale, not beyond.
    const std::string loud = writeLevels(dir, "loud.wav", std::vector<float>(8, 1.0f), 10);
    ASSERT_EQ(sound::SoundFile::open(loud, &file), sound::result::ok);
    ASSERT_EQ(file->read(out), 10u);
    EXPECT_GT(out[0], 32700);
    EXPECT_GT(out[1], 32700);
}

TEST(SoundFile, MonoAndStereoAreReadAsTheyAreAndTooManyChannelsAreRefused) {
    testsupport::ScratchDir dir;
    std::unique_ptr<sound::SoundFile> file;
    ASSERT_EQ(sound::SoundFile::open(writeLevels(dir, "mono.wav", {0.5f}, 4), &file),
              sound::result::ok);
    EXPECT_EQ(file->channels(), 1);
    std::vector<std::int16_t> out(8);
    ASSERT_EQ(file->read(out), 4u);
    EXPECT_NEAR(out[3] / 32768.0, 0.5, 0.001);

    const std::string many = writeLevels(
        dir, "many.wav", std::vector<float>(sound::SoundFile::kMostChannels + 1, 0.1f), 4);
    testing::internal::CaptureStderr();
    EXPECT_EQ(sound::SoundFile::open(many, &file), sound::result::badFormat);
    EXPECT_NE(testing::internal::GetCapturedStderr().find("too many channels"), std::string::npos);
    EXPECT_EQ(file, nullptr);
}

} // namespace
