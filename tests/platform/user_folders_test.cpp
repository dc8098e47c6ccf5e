#include "platform/user_folders.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>

namespace {

using platform::UserFolder;
namespace fs = std::filesystem;

platform::Environment environmentOf(std::map<std::string, std::string> values) {
    return [values](const char* name) -> std::optional<std::string> {
        auto found = values.find(name);
        if (found == values.end()) {
            return std::nullopt;
        }
        return found->second;
    };
}

TEST(UserFolders, XdgVariablesNameTheBasesAndTheHomeStandsInForEachOne) {
    auto xdg = environmentOf({{"HOME", "/home/p"},
                              {"XDG_CONFIG_HOME", "/cfg"},
                              {"XDG_CACHE_HOME", "/cache"},
                              {"XDG_DATA_HOME", "/data"}});
    EXPECT_EQ(platform::userFolder(UserFolder::Config, xdg), fs::path("/cfg/cueflight"));
    EXPECT_EQ(platform::userFolder(UserFolder::Cache, xdg), fs::path("/cache/cueflight"));
    EXPECT_EQ(platform::userFolder(UserFolder::Data, xdg), fs::path("/data/cueflight"));

    // Empty and relative values are not bases: a relative one would follow
    // the working directory.
    auto homeOnly = environmentOf(
        {{"HOME", "/home/p"}, {"XDG_CONFIG_HOME", ""}, {"XDG_CACHE_HOME", "rel/cache"}});
    EXPECT_EQ(platform::userFolder(UserFolder::Config, homeOnly),
              fs::path("/home/p/.config/cueflight"));
    EXPECT_EQ(platform::userFolder(UserFolder::Cache, homeOnly),
              fs::path("/home/p/.cache/cueflight"));
    EXPECT_EQ(platform::userFolder(UserFolder::Data, homeOnly),
              fs::path("/home/p/.local/share/cueflight"));

    EXPECT_FALSE(platform::userFolder(UserFolder::Data, environmentOf({{"HOME", "p"}})));
    std::ostringstream err;
    EXPECT_FALSE(platform::makeUserFolder(UserFolder::Data, err, environmentOf({})));
    EXPECT_EQ(err.str(), "cueflight: no folder for your scores: neither HOME nor XDG_DATA_HOME "
                         "names one\n");
}

TEST(UserFolders, AFolderIsMadeWithItsParentsOrRefusedInOneLine) {
    testsupport::ScratchDir scratch;
    std::ostringstream err;
    auto fresh = environmentOf({{"XDG_DATA_HOME", scratch.file("a/b")}});
    std::optional<fs::path> made = platform::makeUserFolder(UserFolder::Data, err, fresh);
    ASSERT_TRUE(made);
    EXPECT_TRUE(fs::is_directory(*made));
    EXPECT_EQ(*made, scratch.path() / "a/b/cueflight");
    EXPECT_EQ(err.str(), "");
    // Made once, found again.
    EXPECT_EQ(platform::makeUserFolder(UserFolder::Data, err, fresh), made);

    // A player's file where the folder should be stays as it was.
    const std::string inTheWay = scratch.write("file/cueflight", "not a folder");
    auto blocked = environmentOf({{"XDG_CACHE_HOME", scratch.file("file")}});
    EXPECT_FALSE(platform::makeUserFolder(UserFolder::Cache, err, blocked));
    EXPECT_EQ(testsupport::readFile(inTheWay), "not a folder");

    // A base nobody may write, not even root: a read-only home's stand-in.
    auto readOnly = environmentOf({{"XDG_CONFIG_HOME", "/proc/self"}});
    EXPECT_FALSE(platform::makeUserFolder(UserFolder::Config, err, readOnly));

    const std::string lines = err.str();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), '\n'), 2) << lines;
    EXPECT_NE(lines.find("cannot make the folder for your charts, " + scratch.file("file") +
                         "/cueflight: "),
              std::string::npos)
        << lines;
    EXPECT_NE(lines.find("for your settings, /proc/self/cueflight: "), std::string::npos) << lines;
}

} // namespace
