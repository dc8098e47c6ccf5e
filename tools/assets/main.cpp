// Writes the game's models and sprites into the run folder given as argument.
#include "assets/catalogue.h"
#include "assets/font_sheet.h"

#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: generate_assets <run folder>" << std::endl;
        return 2;
    }
    auto files = assetgen::generateAssets(assetgen::defaultFontFile);
    if (!files || !assetgen::writeAssets(*files, argv[1])) {
        return 1;
    }
    std::cout << "wrote " << files->size() << " model and sprite files" << std::endl;
    return 0;
}
