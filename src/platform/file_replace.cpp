#include "platform/file_replace.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace platform {

namespace fs = std::filesystem;

namespace {

std::string reasonOf(int code) {
    return std::error_code(code, std::generic_category()).message();
}

bool writeAll(int descriptor, const std::string& contents) {
    std::size_t written = 0;
    while (written < contents.size()) {
        const ssize_t count =
            ::write(descriptor, contents.data() + written, contents.size() - written);
        if (count < 0 && errno == EINTR) {
            continue;
        }
        if (count <= 0) {
            return false;
        }
        written += static_cast<std::size_t>(count);
    }
    return true;
}

// The file a link points at, however many links deep; the path itself when
// it is no link or does not exist yet.
fs::path realTarget(const fs::path& file) {
    std::error_code status;
    if (!fs::is_symlink(fs::symlink_status(file, status))) {
        return file;
    }
    const fs::path target = fs::weakly_canonical(file, status);
    return status ? file : target;
}

} // namespace

bool replaceFile(const fs::path& file, const std::string& contents, std::string& error) {
    const fs::path target = realTarget(file);
    mode_t mode = 0644;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) {
        mode = existing.st_mode & 07777;
    }
    std::string name = ".";
    name.append(target.filename().string()).append(".XXXXXX");
    std::string temporary = (target.parent_path() / name).string();
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0) {
        error = reasonOf(errno);
        return false;
    }
    bool written = writeAll(descriptor, contents) && ::fchmod(descriptor, mode) == 0 &&
                   ::fsync(descriptor) == 0;
    int failure = written ? 0 : errno;
    if (::close(descriptor) != 0 && written) {
        written = false;
        failure = errno;
    }
    if (written && ::rename(temporary.c_str(), target.c_str()) != 0) {
        written = false;
        failure = errno;
    }
    if (!written) {
        ::unlink(temporary.c_str());
        error = reasonOf(failure != 0 ? failure : EIO);
        return false;
    }
    // The rename itself reaches the disk with the folder's entry.
    const fs::path folderPath = target.has_parent_path() ? target.parent_path() : fs::path(".");
    const int folder = ::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

} // namespace platform
