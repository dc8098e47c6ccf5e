// Writes the game's models and sprites into the run folder given as argument,
// or with --icons the desktop icons into an icon theme's folder.
#include "assets/catalogue.h"
#include "assets/font_sheet.h"

#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--icons") {
        const auto icons = assetgen::iconFiles(argv[3]);
        return assetgen::writeAssets(icons, argv[2]) ? 0 : 1;
    }
    if (argc != 2) {
        std::cerr << "usage: generate_assets <run folder>\n"
                     "       generate_assets --icons <icon folder> <icon name>"
                  << std::endl;
        return 2;
    }
    auto files = assetgen::generateAssets(assetgen::defaultFontFile);
    if (!files || !assetgen::writeAssets(*files, argv[1])) {
        return 1;
    }
    std::cout << "wrote " << files->size() << " model and sprite files" << std::endl;
    return 0;
}
