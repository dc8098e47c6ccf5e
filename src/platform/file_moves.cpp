#include "platform/file_moves.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

std::error_code renameWithoutReplacing(const std::filesystem::path& from,
                                       const std::filesystem::path& to) {
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return {};
    }
    if (errno != EINVAL && errno != ENOSYS) {
        return {errno, std::generic_category()};
    }
    // A file system without the flag: a hard link fails on an existing name
    // just the same, and the old name then goes.
    if (link(from.c_str(), to.c_str()) != 0) {
        return {errno, std::generic_category()};
    }
    if (unlink(from.c_str()) != 0) {
        return {errno, std::generic_category()};
    }
    return {};
}

} // namespace platform
