#include "collection/image_texture.h"
#include "collection/scratch_dir.h"
#include "collection/tga_writer.h"
#include "platform/image.h"

#include <gtest/gtest.h>

using platform::ImageFault;
using testfiles::tgaImage;

namespace {

// 3 x 2 with every pixel different, rows top first.
const std::vector<std::uint8_t> kRgb = {
    10, 11, 12, 20, 21, 22, 30, 31, 32, //
    40, 41, 42, 50, 51, 52, 60, 61, 62,
};

} // namespace

TEST(ImageReader, GivesRowsTopFirstWhicheverWayTheFileStoresThemAndKeepsAlpha) {
    testfiles::ScratchDir dir;
    for (bool topFirst : {true, false}) {
        const std::string path = dir.write("rgb.tga", tgaImage(3, 2, 3, kRgb, topFirst));
        platform::Image image;
        ASSERT_EQ(platform::readImage(path, image), ImageFault::none);
        EXPECT_EQ(image.width, 3);
        EXPECT_EQ(image.height, 2);
        EXPECT_EQ(image.format, static_cast<GLenum>(GL_RGB));
        EXPECT_EQ(image.pixels, kRgb) << "stored top first: " << topFirst;
    }
    // The alpha channel is kept.
    const std::vector<std::uint8_t> rgba = {1, 2, 3, 4, 5, 6, 7, 8};
    const std::string path = dir.write("rgba.tga", tgaImage(2, 1, 4, rgba));
    platform::Image image;
    ASSERT_EQ(platform::readImage(path, image), ImageFault::none);
    EXPECT_EQ(image.format, static_cast<GLenum>(GL_RGBA));
    EXPECT_EQ(image.pixels, rgba);
}

TEST(ImageReader, RefusesMissingBrokenAndAbsurdlyLargeFiles) {
    testfiles::ScratchDir dir;
    platform::Image image;
    EXPECT_EQ(platform::readImage(dir.path("none.tga"), image), ImageFault::missing);
    EXPECT_EQ(platform::readImage(dir.write("short.tga", "not an image"), image),
              ImageFault::notTga);
    // A header that promises far more than the file holds.
    EXPECT_EQ(
        platform::readImage(dir.write("huge.tga", testfiles::tgaHeaderOnly(60000, 60000)), image),
        ImageFault::tooLarge);
    // A complete, decodable image that is still wider than any texture of ours.
    const int wide = platform::kMaxImageSide + 1;
    const std::vector<std::uint8_t> row(static_cast<std::size_t>(wide) * 3, 7);
    EXPECT_EQ(platform::readImage(dir.write("wide.tga", tgaImage(wide, 1, 3, row)), image),
              ImageFault::tooLarge);
    EXPECT_EQ(image.width, 0);
    EXPECT_TRUE(image.pixels.empty());
}

TEST(ImageReader, ReadsRunLengthAndColourMappedFilesAndRefusesEveryCutOfThem) {
    const std::vector<std::uint8_t> twoRedOneBlue = {200, 0, 0, 200, 0, 0, 0, 0, 250};
    std::string rle = testfiles::tgaHeaderOnly(3, 1);
    rle[2] = 10;                               // run-length true colour
    rle += std::string("\x81\x00\x00\xc8", 4); // two red pixels in one run (BGR)
    rle += std::string("\x00\xfa\x00\x00", 4); // one literal blue pixel
    std::string mapped = testfiles::tgaHeaderOnly(3, 1);
    mapped[1] = 1;                                        // has a colour map
    mapped[2] = 1;                                        // colour-mapped
    mapped[5] = 2;                                        // two entries
    mapped[7] = 24;                                       // of 24 bits
    mapped[16] = 8;                                       // 8-bit indices
    mapped += std::string("\x00\x00\xc8\xfa\x00\x00", 6); // red, blue
    mapped += std::string("\x00\x00\x01", 3);

    for (const std::string& file : {rle, mapped}) {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(file.data());
        platform::Image image;
        ASSERT_EQ(platform::decodeImage({bytes, file.size()}, image), ImageFault::none);
        EXPECT_EQ(image.pixels, twoRedOneBlue);
        for (std::size_t cut = 18; cut < file.size(); ++cut) {
            EXPECT_EQ(platform::decodeImage({bytes, cut}, image), ImageFault::truncated)
                << "cut at " << cut;
        }
    }
}

TEST(ImageReader, TextureLinesTellAMissingFileFromABrokenOne) {
    testfiles::ScratchDir dir;
    platform::Image image;
    const std::string cut = dir.write("cut.tga", tgaImage(3, 2, 3, kRgb).substr(0, 30));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(collection::readTextureImage(dir.path("none.tga"), image, "EM "));
    EXPECT_FALSE(collection::readTextureImage(dir.path("none.tga"), image, " ", true));
    EXPECT_FALSE(collection::readTextureImage(cut, image, " ", true));
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "EM tex file not found at: " + dir.path("none.tga") + "\n" +
                  " tex file unusable at: " + cut + " (cut short)\n");
}
