#pragma once

#include <filesystem>

namespace frames {

// A working folder that shows the run folder's files through links, with a
// config.cfg of its own: the game's own start-up then opens the window at
// the size given here and plays the demo, and the run folder is left as it is.
void stageRunFolder(const std::filesystem::path& runDir, const std::filesystem::path& stageDir,
                    int width, int height);

} // namespace frames
