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
