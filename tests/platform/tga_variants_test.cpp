// TGA files as another tool writes them: ImageMagick's convert (installed by
// scripts/setup.sh) writes each variant from a picture of known pixels, and
// the reader must hand back that picture.

#include "collection/scratch_dir.h"
#include "platform/image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <iterator>

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

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void expectReadAsWritten(const testfiles::ScratchDir& dir, const Kind& kind, const char* order) {
    const std::string options = std::string(kind.options) + " " + order;
    SCOPED_TRACE(options);
    const std::vector<std::uint8_t> source = picture(kind.source);
    const std::string raw = dir.write("source.rgba", std::string(source.begin(), source.end()));
    const std::string tga = dir.path("variant.tga");
    const std::string command = "convert -size " + std::to_string(kWidth) + "x" +
                                std::to_string(kHeight) + " -depth 8 rgba:" + raw + " " + options +
                                " " + tga;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;

    const std::string file = readFile(tga);
    platform::Image image;
    ASSERT_EQ(platform::decodeImage(
                  {reinterpret_cast<const std::uint8_t*>(file.data()), file.size()}, image),
              platform::ImageFault::none);
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
    testfiles::ScratchDir dir;
    for (const Kind& kind : kKinds) {
        for (const char* order : kOrders) {
            expectReadAsWritten(dir, kind, order);
        }
    }
}
