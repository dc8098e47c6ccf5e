#include "app/config.h"
#include "app/settings.h"
#include "app/settings_file.h"
#include "app/window.h"
#include "platform/file_replace.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <clocale>
#include <locale>
#include <sys/stat.h>

namespace {

namespace fs = std::filesystem;
using testsupport::readFile;
using testsupport::ScratchDir;

const std::string kPlayersFile = "# my settings\r\n"
                                 "window_width=1280\r\n"
                                 "offset_ms=10\r\n"
                                 "  # an indented note\r\n"
                                 "frobnicate=yes\r\n"
                                 "offset_ms=12\r\n"
                                 "showfps=true";

TEST(SettingsFile, OnlyTheKeysLastLineChangesAndEverythingElseStaysByteForByte) {
    EXPECT_EQ(settingIn(kPlayersFile, "offset_ms"), "12");
    const std::string set = withSetting(kPlayersFile, "offset_ms", "37.5");
    std::string expected = kPlayersFile;
    expected.replace(expected.rfind("offset_ms=12"), 12, "offset_ms=37.5");
    EXPECT_EQ(set, expected);

    // A new key goes at the end, after the open last line, with the file's
    // own line ending; taking it out again gives the file back but for the
    // line ending the open line needed.
    const std::string added = withSetting(kPlayersFile, "visual_offset_ms", "-5");
    EXPECT_EQ(added, kPlayersFile + "\r\nvisual_offset_ms=-5\r\n");
    EXPECT_EQ(withSetting(added, "visual_offset_ms", std::nullopt), kPlayersFile + "\r\n");

    // Comments and look-alike keys are never taken for the key.
    const std::string tricky = "#offset_ms=1\noffset_ms_old=2\n offset_ms=3\n";
    EXPECT_EQ(settingIn(tricky, "offset_ms"), std::nullopt);
    EXPECT_EQ(withSetting(tricky, "offset_ms", "4"), tricky + "offset_ms=4\n");
    EXPECT_EQ(withSetting("", "offset_ms", "4"), "offset_ms=4\n");
}

TEST(SettingsFile, NumbersHaveADotAndAtMostOneDecimalUnderACommaLocale) {
    // A locale that writes decimals with a comma, as a German desktop has it:
    // everything the game writes must read back the same anywhere.
    const char* wanted = "de_DE.UTF-8";
    if (std::setlocale(LC_ALL, wanted) == nullptr) {
        GTEST_SKIP() << wanted << " is not generated here (scripts/setup.sh generates it)";
    }
    std::locale::global(std::locale(wanted));
    EXPECT_EQ(settingNumber(37.5), "37.5");
    EXPECT_EQ(settingNumber(-12.34), "-12.3");
    EXPECT_EQ(settingNumber(38.0), "38");
    EXPECT_EQ(settingNumber(-0.04), "0");
    EXPECT_EQ(parseConfigDecimal("37.5"), 37.5);
    EXPECT_EQ(parseConfigDecimal(" -12.5 ms"), -12.5);
    EXPECT_EQ(parseConfigDecimal("0x10"), 16.0);
    EXPECT_EQ(parseConfigDecimal("37,5"), 37.0);

    ScratchDir scratch;
    const PlayerConfig config{scratch.path() / "cueflight" / "config.cfg", false};
    std::optional<std::string> before;
    std::string error;
    ASSERT_TRUE(savePlayerSetting(config, "offset_ms", settingNumber(37.5), before, error))
        << error;
    EXPECT_EQ(readFile(config.file), "offset_ms=37.5\n");
    setDefaultSettings();
    Window window;
    std::ostringstream err;
    loadPlayerConfig(config.file, true, window, err);
    EXPECT_EQ(offsetMs, 37.5);
    setDefaultSettings();
    std::locale::global(std::locale::classic());
    std::setlocale(LC_ALL, "C");
}

TEST(SettingsFile, SavingReplacesTheFileWholeAndGivesTheValueBefore) {
    ScratchDir scratch;
    const std::string file = scratch.write("settings/config.cfg", kPlayersFile);
    chmod(file.c_str(), 0600);
    // A link from a folder of dotfiles stays a link; its target changes.
    const fs::path link = scratch.path() / "link.cfg";
    fs::create_symlink(file, link);
    const PlayerConfig config{link, true};
    std::optional<std::string> before;
    std::string error;
    ASSERT_TRUE(savePlayerSetting(config, "offset_ms", "40", before, error)) << error;
    EXPECT_EQ(before, "12");
    EXPECT_TRUE(fs::is_symlink(link));
    EXPECT_EQ(settingIn(readFile(file), "offset_ms"), "40");
    struct stat status {};
    ASSERT_EQ(stat(file.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    // Putting the value back restores the file exactly.
    ASSERT_TRUE(savePlayerSetting(config, "offset_ms", before, before, error)) << error;
    EXPECT_EQ(readFile(file), kPlayersFile);
    // Only the file itself and the link are left: no temporary file.
    EXPECT_EQ(std::distance(fs::directory_iterator(scratch.path() / "settings"),
                            fs::directory_iterator()),
              1);

    // What is not a settings file is not written over.
    const std::string binary = scratch.write("binary.cfg", std::string("a\0b", 3));
    EXPECT_FALSE(savePlayerSetting({binary, true}, "offset_ms", "1", before, error));
    EXPECT_EQ(readFile(binary), std::string("a\0b", 3));
    // A rename that fails (a folder in the file's place) leaves no
    // temporary file behind.
    scratch.write("taken/config.cfg/keep", "x");
    error.clear();
    EXPECT_FALSE(platform::replaceFile(scratch.path() / "taken" / "config.cfg", "y", error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(
        std::distance(fs::directory_iterator(scratch.path() / "taken"), fs::directory_iterator()),
        1);
}

} // namespace
