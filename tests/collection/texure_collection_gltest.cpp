#include "collection/environment_map.h"
#include "collection/texure_collection.h"
#include "support/gl_context.h"
#include "support/scratch_dir.h"
#include "support/tga_writer.h"

#include <gtest/gtest.h>

#include <memory>

using collection::TexureCollection;
using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

// 3 x 2 RGB: rows of 9 bytes, which GL's default 4-byte row alignment would
// misread.
const std::vector<std::uint8_t> kOddRgb = {
    10, 11, 12, 20, 21, 22, 30, 31, 32, //
    40, 41, 42, 50, 51, 52, 60, 61, 62,
};

// Each loader packs its own rows tightly and hands GL's default back, so an
// upload elsewhere never depends on which loader ran before it.
GLint unpackAlignment() {
    return testsupport::glInteger(GL_UNPACK_ALIGNMENT);
}

std::vector<std::uint8_t> readBack(GLenum target, int width, int height) {
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width) * height * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(target, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    return pixels;
}

class TextureTest : public testing::Test {
protected:
    void SetUp() override { testsupport::requireGLContext(); }
    void TearDown() override { TexureCollection::destroyInstance(); }

    testsupport::ScratchDir dir;
    TexureCollection* textures = TexureCollection::getInstance();
};

} // namespace

TEST_F(TextureTest, LoadsOncePerPathAndVariant) {
    const std::string path = dir.write("a.tga", testfiles::tgaImage(3, 2, 3, kOddRgb));
    CaptureStdout();
    const GLuint first = textures->load(path, 1, 0);
    const GLuint again = textures->load(path, 1, 0);
    const GLuint otherVariant = textures->load(path, 0, 0);
    EXPECT_EQ(GetCapturedStdout(), path + " loaded.\n" + path + " loaded.\n");
    EXPECT_NE(first, TexureCollection::notLoaded);
    EXPECT_EQ(again, first);
    EXPECT_NE(otherVariant, first);
    EXPECT_NE(otherVariant, TexureCollection::notLoaded);
}

TEST_F(TextureTest, UploadsThePixelsWithLinearFilteringAndRepeat) {
    const std::string path = dir.write("a.tga", testfiles::tgaImage(3, 2, 3, kOddRgb, false));
    const GLuint texture = textures->load(path, 1, 0);
    // Left bound for the caller.
    EXPECT_EQ(static_cast<GLuint>(testsupport::glInteger(GL_TEXTURE_BINDING_2D)), texture);
    EXPECT_EQ(readBack(GL_TEXTURE_2D, 3, 2), kOddRgb);
    EXPECT_EQ(unpackAlignment(), 4);
    EXPECT_EQ(testsupport::texParameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER), GL_LINEAR);
    EXPECT_EQ(testsupport::texParameter(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T), GL_REPEAT);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureTest, OnlyAMissingBaseTextureIsReportedAndNothingIsRemembered) {
    const std::string path = dir.file("late.tga");
    CaptureStderr();
    EXPECT_EQ(textures->load(path + "_s", 1, 2), TexureCollection::notLoaded);
    EXPECT_EQ(GetCapturedStderr(), "");
    CaptureStderr();
    EXPECT_EQ(textures->load(path, 1, 0), TexureCollection::notLoaded);
    EXPECT_EQ(textures->load(path, 1, 0), TexureCollection::notLoaded);
    EXPECT_EQ(GetCapturedStderr(),
              " tex file not found at: " + path + "\n tex file not found at: " + path + "\n");
    // Once the file is there, the next request loads it.
    dir.write("late.tga", testfiles::tgaImage(3, 2, 3, kOddRgb));
    EXPECT_NE(textures->load(path, 1, 0), TexureCollection::notLoaded);
}

TEST_F(TextureTest, EnvironmentMapTakesTheSixFacesInTheirPlaces) {
    const char* suffixes[] = {"_right", "_left", "_top", "_bottom", "_front", "_back"};
    const GLenum targets[] = {GL_TEXTURE_CUBE_MAP_POSITIVE_X, GL_TEXTURE_CUBE_MAP_NEGATIVE_X,
                              GL_TEXTURE_CUBE_MAP_POSITIVE_Y, GL_TEXTURE_CUBE_MAP_NEGATIVE_Y,
                              GL_TEXTURE_CUBE_MAP_POSITIVE_Z, GL_TEXTURE_CUBE_MAP_NEGATIVE_Z};
    for (int face = 0; face < 6; ++face) {
        const std::vector<std::uint8_t> colour(2 * 2 * 3, static_cast<std::uint8_t>(40 * face));
        dir.write(std::string("space") + suffixes[face] + ".tga",
                  testfiles::tgaImage(2, 2, 3, colour));
    }
    CaptureStderr();
    auto map = std::make_unique<collection::EnvironmentMap>(dir.file("space"));
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(unpackAlignment(), 4);
    EXPECT_EQ(testsupport::glInteger(GL_TEXTURE_BINDING_CUBE_MAP), 0);
    const GLuint cube = map->getCubeTexture();
    glBindTexture(GL_TEXTURE_CUBE_MAP, cube);
    for (int face = 0; face < 6; ++face) {
        EXPECT_EQ(readBack(targets[face], 2, 2)[0], 40 * face) << suffixes[face];
    }
    EXPECT_EQ(testsupport::texParameter(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER),
              GL_LINEAR_MIPMAP_LINEAR);
    EXPECT_EQ(testsupport::texLevelParameter(GL_TEXTURE_CUBE_MAP_POSITIVE_X, 1, GL_TEXTURE_WIDTH),
              1);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    // The cube texture goes with the map.
    map.reset();
    EXPECT_EQ(glIsTexture(cube), GL_FALSE);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(TextureTest, EnvironmentMapNamesEachMissingFaceInOrder) {
    const std::vector<std::uint8_t> colour(2 * 2 * 3, 99);
    for (const char* suffix : {"_right", "_left", "_bottom", "_front"}) {
        dir.write(std::string("space") + suffix + ".tga", testfiles::tgaImage(2, 2, 3, colour));
    }
    const std::string base = dir.file("space");
    CaptureStderr();
    collection::EnvironmentMap map(base);
    EXPECT_EQ(GetCapturedStderr(), "EM tex file not found at: " + base +
                                       "_top.tga\nEM tex file not found at: " + base +
                                       "_back.tga\n");
    while (glGetError() != GL_NO_ERROR) {
        // The incomplete cube map refuses its mipmaps; that is expected here.
    }
}
