#include "platform/atomic_write.h"

#include <cerrno>
#include <cstdio>
#include <system_error>
#include <unistd.h>

namespace platform {

bool writeFileAtomically(const std::filesystem::path& file, const std::string& text,
                         std::string& error, Durability durability) {
    // Hidden and named by the process, so two games never share one.
    std::string name = file.filename().string();
    name.insert(0, 1, '.');
    name.append(".new").append(std::to_string(getpid()));
    const std::filesystem::path temporary = file.parent_path() / name;
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (out == nullptr) {
        error = std::error_code(errno, std::generic_category()).message();
        return false;
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), out) == text.size() &&
                         std::fflush(out) == 0 &&
                         (durability == Durability::Cache || fsync(fileno(out)) == 0);
    const int writeError = errno;
    const bool closed = std::fclose(out) == 0;
    std::error_code status;
    if (!written || !closed) {
        error = std::error_code(written ? errno : writeError, std::generic_category()).message();
        std::filesystem::remove(temporary, status);
        return false;
    }
    std::filesystem::rename(temporary, file, status);
    if (status) {
        error = status.message();
        std::filesystem::remove(temporary, status);
        return false;
    }
    return true;
}

} // namespace platform
