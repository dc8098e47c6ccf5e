#include "app/settings.h"

#include "game/level_sound.h"

namespace {

const game::SongChoice kShippedSong;

} // namespace

int glMajorVersion = 2;
int glMinorVersion = 1;
bool forwardcontextflag = true;
bool showfps = false;
bool demoMode = false;
double offsetMs = 0.0;
double visualOffsetMs = 0.0;
std::string musicPath = kShippedSong.musicPath;
int songEndMs = static_cast<int>(kShippedSong.endMs);
std::optional<std::string> scoresPath;
int windowWidth = 0;
int windowHeight = 0;

void setDefaultSettings() {
    glMajorVersion = 2;
    glMinorVersion = 1;
    forwardcontextflag = true;
    showfps = false;
    demoMode = false;
    offsetMs = 0.0;
    visualOffsetMs = 0.0;
    musicPath = kShippedSong.musicPath;
    songEndMs = static_cast<int>(kShippedSong.endMs);
    scoresPath.reset();
    windowWidth = 0;
    windowHeight = 0;
}
