#include "scores_tool.h"

#include <iostream>

int main(int argc, char** argv) {
    return scores::runScoresTool({argv + 1, argv + argc}, std::cout, std::cerr);
}
