#include "collection/image_texture.h"
#include "support/scratch_dir.h"
#include "support/tga_writer.h"

#include <gtest/gtest.h>

TEST(ImageTexture, ReadingLinesTellAMissingFileFromABrokenOne) {
    testsupport::ScratchDir dir;
    platform::Image image;
    const std::string cut = dir.write(
        "cut.tga", testfiles::tgaImage(3, 2, 3, std::vector<std::uint8_t>(18, 9)).substr(0, 30));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(collection::readTextureImage(dir.file("none.tga"), image, "EM "));
    EXPECT_FALSE(collection::readTextureImage(dir.file("none.tga"), image, " ", true));
    EXPECT_FALSE(collection::readTextureImage(cut, image, " ", true));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "EM tex file not found at: " + dir.file("none.tga") + "\n" +
                  " tex file unusable at: " + cut + " (cut short)\n");
}

// Each texel of the next level is the rounded mean of the texels it covers;
// a side already at one keeps its single row or column.
TEST(ImageTexture, HalvingAveragesEachBlockAndStopsAtOneAlongASide) {
    platform::Image wide{4, 2, GL_RGB, {}};
    for (int i = 0; i < 24; ++i) {
        wide.pixels.push_back(static_cast<unsigned char>(i * 10));
    }
    const platform::Image half = collection::halvedImage(wide);
    EXPECT_EQ(half.width, 2);
    EXPECT_EQ(half.height, 1);
    // Red of the left block: (0 + 30 + 120 + 150) / 4.
    EXPECT_EQ(half.pixels, (std::vector<unsigned char>{75, 85, 95, 135, 145, 155}));

    // Halves round up: (0 + 3) / 2 is 2.
    platform::Image row{2, 1, GL_RGBA, {0, 1, 255, 10, 3, 2, 254, 20}};
    const platform::Image last = collection::halvedImage(row);
    EXPECT_EQ(last.width, 1);
    EXPECT_EQ(last.height, 1);
    EXPECT_EQ(last.pixels, (std::vector<unsigned char>{2, 2, 255, 15}));
}
