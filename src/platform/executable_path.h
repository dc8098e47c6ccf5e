#pragma once

#include <filesystem>
#include <system_error>

// Header-only, so the charting tool finds itself the same way without
// linking the game.

namespace platform {

// The running binary with every link resolved; from `startedAs` (argv[0])
// where the system does not say.
inline std::filesystem::path executablePath(const std::filesystem::path& startedAs) {
    std::error_code status;
    std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", status);
    if (status) {
        self = std::filesystem::weakly_canonical(std::filesystem::absolute(startedAs), status);
    }
    return self;
}

} // namespace platform
