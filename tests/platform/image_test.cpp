#include "platform/image.h"
#include "support/scratch_dir.h"
#include "support/tga_writer.h"

#include <gtest/gtest.h>

using testfiles::tgaImage;

namespace {

// 3 x 2 with every pixel different, rows top first.
const std::vector<std::uint8_t> kRgb = {
    10, 11, 12, 20, 21, 22, 30, 31, 32, //
    40, 41, 42, 50, 51, 52, 60, 61, 62,
};

} // namespace

TEST(ImageReader, GivesRowsTopFirstWhicheverWayTheFileStoresThemAndKeepsAlpha) {
    testsupport::ScratchDir dir;
    for (bool topFirst : {true, false}) {
        const std::string path = dir.write("rgb.tga", tgaImage(3, 2, 3, kRgb, topFirst));
        platform::Image image;
        ASSERT_TRUE(platform::readImage(path, image));
        EXPECT_EQ(image.width, 3);
        EXPECT_EQ(image.height, 2);
        EXPECT_EQ(image.format, static_cast<GLenum>(GL_RGB));
        EXPECT_EQ(image.pixels, kRgb) << "stored top first: " << topFirst;
    }
    // The alpha channel is kept.
    const std::vector<std::uint8_t> rgba = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::string path = dir.write("rgba.tga", tgaImage(2, 1, 4, rgba));
    platform::Image image;
    ASSERT_TRUE(platform::readImage(path, image));
    EXPECT_EQ(image.format, static_cast<GLenum>(GL_RGBA));
    EXPECT_EQ(image.pixels, rgba);
}

TEST(ImageReader, RefusesMissingBrokenAndAbsurdlyLargeFiles) {
    testsupport::ScratchDir dir;
    platform::Image image;
    EXPECT_FALSE(platform::readImage(dir.file("none.tga"), image));
    EXPECT_FALSE(platform::readImage(dir.write("short.tga", "not an image"), image));
    // A header that promises far more than the file holds.
    EXPECT_FALSE(
        platform::readImage(dir.write("huge.tga", testfiles::tgaHeaderOnly(60000, 60000)), image));
    // A complete, decodable image that is still wider than any texture of ours.
    const int wide = platform::kMaxImageSide + 1;
    const std::vector<std::uint8_t> row(static_cast<std::size_t>(wide) * 3, 7);
    EXPECT_FALSE(platform::readImage(dir.write("wide.tga", tgaImage(wide, 1, 3, row)), image));
    EXPECT_EQ(image.width, 0);
    EXPECT_TRUE(image.pixels.empty());
}
