#include "platform/music_folder.h"

#include "support/scratch_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

// The tool reads the process's environment: set it for the test, and back.
class HomeAt {
public:
    explicit HomeAt(const std::filesystem::path& home) {
        for (const char* name : {"HOME", "XDG_CONFIG_HOME"}) {
            const char* value = std::getenv(name);
            saved.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
        }
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home / ".config").c_str(), 1);
    }
    ~HomeAt() {
        for (const auto& [name, value] : saved) {
            value ? setenv(name.c_str(), value->c_str(), 1) : unsetenv(name.c_str());
        }
    }

private:
    std::vector<std::pair<std::string, std::optional<std::string>>> saved;
};

TEST(MusicFolder, TheDesktopsSettingElseMusicInTheHome) {
    testsupport::ScratchDir scratch;
    HomeAt home(scratch.path());
    EXPECT_EQ(platform::musicFolder(), scratch.path() / "Music");
    scratch.write(".config/user-dirs.dirs", "XDG_MUSIC_DIR=\"$HOME/Musik\"\n");
    EXPECT_EQ(platform::musicFolder(), scratch.path() / "Musik");
}

} // namespace
