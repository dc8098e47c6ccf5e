#include <filesystem>
#include <iostream>

#include "chart_tool.h"

// The tool sits in the game's run folder, whose files every chart folder
// links.
int main(int argc, char** argv) {
    std::error_code status;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", status);
    if (status) {
        self = std::filesystem::absolute(argv[0]);
    }
    return chart::runChartTool({argv + 1, argv + argc}, self.parent_path(), std::cout, std::cerr);
}
