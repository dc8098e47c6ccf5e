// Swaps two folders in one step, so that whoever reads either path sees the
// old folder or the new one, never neither: fuzz/run puts a merged corpus in
// place of the committed one this way.
//
//   swap_folders A B

#include <cstdio>
#include <fcntl.h>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s FOLDER FOLDER\n", argv[0]);
        return 2;
    }
    if (renameat2(AT_FDCWD, argv[1], AT_FDCWD, argv[2], RENAME_EXCHANGE) != 0) {
        std::perror("swap_folders");
        return 1;
    }
    return 0;
}
