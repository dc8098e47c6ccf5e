#include "render/sprite_texture.h"

#include "support/scratch_dir.h"
#include "support/tga_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(SpriteImage, ASheetIsReadFromDiskOnceAndAFailedOneAgain) {
    testsupport::ScratchDir dir;
    const std::string path = dir.file("sheet.tga");

    // Not there yet: nothing, and not remembered as nothing.
    EXPECT_EQ(spriteImage(path), nullptr);
    dir.write("sheet.tga", testfiles::tgaImage(2, 1, 4, {10, 20, 30, 40, 50, 60, 70, 80}));
    const platform::Image* first = spriteImage(path);
    ASSERT_NE(first, nullptr) << "a sheet that appeared was not read";
    EXPECT_EQ(first->width, 2);
    EXPECT_EQ(first->pixels, (std::vector<unsigned char>{10, 20, 30, 40, 50, 60, 70, 80}));

    // A restart asks again: the pixels come from memory, not from the file.
    std::filesystem::remove(path);
    const platform::Image* again = spriteImage(path);
    ASSERT_NE(again, nullptr) << "the sheet was read from disk again";
    EXPECT_EQ(again->pixels, first->pixels);
}

TEST(SpriteImage, ASheetIsKnownByItsFileThroughLinksAndNotByItsName) {
    testsupport::ScratchDir dir;
    dir.write("run/Sprites/sheet.tga", testfiles::tgaImage(1, 1, 3, {1, 2, 3}));
    dir.write("other/Sprites/sheet.tga", testfiles::tgaImage(1, 1, 3, {7, 8, 9}));
    std::filesystem::create_directories(dir.path() / "chart");
    std::filesystem::create_directory_symlink(dir.path() / "run/Sprites",
                                              dir.path() / "chart/Sprites");
    const platform::Image* run = spriteImage(dir.file("run/Sprites/sheet.tga"));
    ASSERT_NE(run, nullptr);
    std::filesystem::remove(dir.file("run/Sprites/sheet.tga"));

    // A chart folder links the run folder's sprites: the same sheet, kept.
    EXPECT_EQ(spriteImage(dir.file("chart/Sprites/sheet.tga")), run);
    // Another folder's file of the same name is its own sheet.
    const platform::Image* other = spriteImage(dir.file("other/Sprites/sheet.tga"));
    ASSERT_NE(other, nullptr);
    EXPECT_EQ(other->pixels, (std::vector<unsigned char>{7, 8, 9}));
}

} // namespace
