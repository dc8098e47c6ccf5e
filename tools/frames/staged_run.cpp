#include "frames/staged_run.h"

#include <fstream>

namespace frames {

namespace fs = std::filesystem;

void stageRunFolder(const fs::path& runDir, const fs::path& stageDir, int width, int height) {
    fs::remove_all(stageDir);
    fs::create_directories(stageDir);
    const fs::path source = fs::absolute(runDir);
    for (const fs::directory_entry& entry : fs::directory_iterator(source)) {
        if (entry.path().filename() != "config.cfg") {
            fs::create_symlink(entry.path(), stageDir / entry.path().filename());
        }
    }
    // The game's own settings first; the later lines win.
    std::ofstream config(stageDir / "config.cfg");
    config << std::ifstream(source / "config.cfg").rdbuf();
    config << "\nwindow_width=" << width << "\nwindow_height=" << height << "\ndemo=true\n";
}

} // namespace frames
