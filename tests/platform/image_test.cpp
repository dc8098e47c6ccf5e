#include "platform/image.h"
#include "support/scratch_dir.h"
#include "support/tga_writer.h"

#include <gtest/gtest.h>

#include <cstdlib>

using platform::ImageFault;
using testfiles::tgaImage;

TEST(ImageReader, RefusesMissingBrokenAndAbsurdlyLargeFiles) {
    testsupport::ScratchDir dir;
    platform::Image image;
    EXPECT_EQ(platform::readImage(dir.file("none.tga"), image), ImageFault::missing);
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

// TGA files as another tool writes them: ImageMagick's convert (installed by
// scripts/setup.sh) writes each variant from a picture of known pixels, and
// the reader must hand back that picture.

namespace {

constexpr int kWidth = 6;
constexpr int kHeight = 4;

enum class Source { colour, colourWithAlpha, grey };

struct Kind {
    const char* options; // convert's options for the TGA it writes
    Source source;
    int tolerance; // per channel: 16-bit files keep 5 bits, and convert loses up to two steps
};

const Kind kKinds[] = {
    {"-type TrueColor -compress None", Source::colour, 0},
    {"-type TrueColor -compress RLE", Source::colour, 0},
    {"-type TrueColorAlpha -compress None", Source::colourWithAlpha, 0},
    {"-type TrueColorAlpha -compress RLE", Source::colourWithAlpha, 0},
    {"-type Grayscale -compress None", Source::grey, 0},
    {"-type Grayscale -compress RLE", Source::grey, 0},
    {"-type Palette -compress None", Source::colour, 0},
    {"-type Palette -compress RLE", Source::colour, 0},
    {"-type TrueColor -depth 5", Source::colour, 20},
    {"-type TrueColor -set comment made-elsewhere", Source::colour, 0},
};

// convert stores its rows as they are and only sets the order flags from
// -orient, so each order is written by turning the picture first: every file
// below shows the source picture to a reader that heeds the flags.
const char* const kOrders[] = {
    "-orient TopLeft",
    "-flip -orient BottomLeft",
    "-flop -orient TopRight",
    "-flip -flop -orient BottomRight",
};

// Every pixel differs from its neighbours in every channel, so a flipped,
// mirrored or shifted picture cannot pass; at most 24 colours fit a palette.
std::vector<std::uint8_t> picture(Source source) {
    std::vector<std::uint8_t> rgba;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const auto grey = static_cast<std::uint8_t>(10 * (x + kWidth * y) + 5);
            const bool isGrey = source == Source::grey;
            rgba.push_back(isGrey ? grey : static_cast<std::uint8_t>(40 * x + 10));
            rgba.push_back(isGrey ? grey : static_cast<std::uint8_t>(60 * y + 5));
            rgba.push_back(isGrey ? grey : static_cast<std::uint8_t>(200 - 30 * x + y));
            rgba.push_back(source == Source::colourWithAlpha ? 255 - 50 * y - x : 255);
        }
    }
    return rgba;
}

void expectReadAsWritten(const testsupport::ScratchDir& dir, const Kind& kind, const char* order) {
    const std::string options = std::string(kind.options) + " " + order;
    SCOPED_TRACE(options);
    const std::vector<std::uint8_t> source = picture(kind.source);
    const std::string raw = dir.write("source.rgba", std::string(source.begin(), source.end()));
    const std::string tga = dir.file("variant.tga");
    const std::string command = "convert -size " + std::to_string(kWidth) + "x" +
                                std::to_string(kHeight) + " -depth 8 rgba:" + raw + " " + options +
                                " " + tga;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    platform::Image image;
    ASSERT_EQ(platform::readImage(tga, image), ImageFault::none);
    ASSERT_EQ(image.width, kWidth);
    ASSERT_EQ(image.height, kHeight);
    const int channels = kind.source == Source::colourWithAlpha ? 4 : 3;
    ASSERT_EQ(image.format, static_cast<GLenum>(channels == 4 ? GL_RGBA : GL_RGB));
    for (std::size_t pixel = 0; pixel < kWidth * kHeight; ++pixel) {
        for (int c = 0; c < channels; ++c) {
            ASSERT_NEAR(image.pixels[pixel * channels + c], source[pixel * 4 + c], kind.tolerance)
                << "pixel " << pixel << " channel " << c;
        }
    }
}

} // namespace

TEST(TgaVariants, EveryVariantConvertWritesIsReadWithTheSourcePixels) {
    testsupport::ScratchDir dir;
    for (const Kind& kind : kKinds) {
        for (const char* order : kOrders) {
            expectReadAsWritten(dir, kind, order);
        }
    }
}
