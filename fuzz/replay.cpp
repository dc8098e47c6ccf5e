// Feeds every file of fuzz/corpus/<target>/ to its target's entry point, the
// way the fuzzer ran them. Built with whatever compiler the build uses, so the
// sanitizer build re-checks the corpus with g++'s AddressSanitizer and UBSan.
// Each file is named before it runs: after a crash the last name is the input.

#include "fuzz_targets.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace fs = std::filesystem;

namespace {

std::vector<std::uint8_t> readBytes(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// Sorted, so every run feeds the same order.
std::vector<fs::path> corpusFiles(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.is_regular_file()) {
            files.push_back(entry.path());
        }
    }
    std::sort(files.begin(), files.end());
    return files;
}

// A folder without a target, or a target without files, means a corpus that
// nobody replays.
bool corporaMatchTargets(const fs::path& root) {
    std::set<std::string> targets;
    bool matched = true;
    for (const FuzzTarget& target : kFuzzTargets) {
        targets.insert(target.name);
        if (!fs::is_directory(root / target.name) || corpusFiles(root / target.name).empty()) {
            std::printf("no corpus for target %s in %s\n", target.name, root.c_str());
            matched = false;
        }
    }
    for (const auto& entry : fs::directory_iterator(root)) {
        if (entry.is_directory() && targets.count(entry.path().filename().string()) == 0) {
            std::printf("corpus %s has no target\n", entry.path().c_str());
            matched = false;
        }
    }
    return matched;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || !fs::is_directory(argv[1])) {
        std::fprintf(stderr, "usage: %s CORPUS_ROOT (fuzz/corpus)\n", argv[0]);
        return 2;
    }
    const fs::path root = argv[1];
    if (!corporaMatchTargets(root)) {
        return 1;
    }
    for (const FuzzTarget& target : kFuzzTargets) {
        const std::vector<fs::path> files = corpusFiles(root / target.name);
        for (const fs::path& file : files) {
            std::printf("%s\n", file.c_str());
            std::fflush(stdout);
            // An empty file still gets a valid pointer, as libFuzzer gives it.
            static const std::uint8_t nothing = 0;
            const std::vector<std::uint8_t> bytes = readBytes(file);
            target.entry(bytes.empty() ? &nothing : bytes.data(), bytes.size());
        }
        std::printf("%s: %zu files replayed\n", target.name, files.size());
    }
    return 0;
}
