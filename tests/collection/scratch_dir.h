#pragma once

// Header only: test folders compile just their *_test.cpp files.

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace testfiles {

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

    // Writes content byte for byte to name (sub-folders are made) and returns
    // the full path.
    std::string write(const std::string& name, const std::string& content) const {
        const std::filesystem::path file = root / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << content;
        return file.string();
    }

    std::string path(const std::string& name) const { return (root / name).string(); }

private:
    std::filesystem::path root;
};

} // namespace testfiles
