#include <iostream>

#include "song_generator.h"

// Usage: songgen_tool <run folder>
int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: " << argv[0] << " <run folder>" << std::endl;
        return 2;
    }
    return songgen::generateAll(argv[1]) ? 0 : 1;
}
