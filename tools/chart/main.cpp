#include <filesystem>
#include <iostream>

#include "chart_tool.h"
#include "game/run_folder.h"
#include "platform/executable_path.h"

// Every chart folder links the game's files: the run folder the tool sits in
// (build/run/), or the installed game's data folder.
int main(int argc, char** argv) {
    const std::filesystem::path self = platform::executablePath(argv[0]);
    const std::filesystem::path runDir = game::dataBesideBinary(self).value_or(self.parent_path());
    return chart::runChartTool({argv + 1, argv + argc}, runDir, std::cout, std::cerr);
}
