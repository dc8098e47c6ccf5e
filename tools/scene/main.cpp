// Writes the game's world as a scene file. The output is committed as
// data/Scenes/testscene.scene; a test keeps the two the same.

#include "scene/scene_text.h"
#include "scene/world.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: generate_scene <output file>" << std::endl;
        return 1;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << scenegen::sceneText(scenegen::gameWorld());
    if (!out) {
        std::cerr << "cannot write " << argv[1] << std::endl;
        return 1;
    }
    return 0;
}
