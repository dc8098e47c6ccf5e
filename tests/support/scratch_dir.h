#pragma once

// Header only: test folders compile just their *_test.cpp files.

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

namespace testsupport {

// A fresh folder under the system's temporary directory, removed with its
// contents when the object goes.
class ScratchDir {
public:
    ScratchDir() {
        static std::atomic<int> counter{0};
        root = std::filesystem::temp_directory_path() /
               ("cueflight-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(root);
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(root, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::filesystem::path& path() const { return root; }

    // The full path of name inside the folder; nothing is created.
    std::string file(const std::string& name) const { return (root / name).string(); }

    // Writes content byte for byte to name (sub-folders are made) and returns
    // the full path.
    std::string write(const std::string& name, const std::string& content) const {
        const std::filesystem::path target = root / name;
        std::filesystem::create_directories(target.parent_path());
        std::ofstream(target, std::ios::binary) << content;
        return target.string();
    }

private:
    std::filesystem::path root;
};

// A whole file's bytes; empty when it cannot be read.
inline std::string readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

} // namespace testsupport
