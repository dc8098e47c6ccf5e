#include "collection/text_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>
#include <sys/stat.h>

namespace collection {
namespace {

using FileHandle = std::unique_ptr<std::FILE, decltype(&std::fclose)>;

// Big models are read in one go when the size is known up front; pipes and
// other unsized files grow the buffer as they go.
std::size_t initialCapacity(std::FILE* file) {
    struct stat info {};
    if (fstat(fileno(file), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
        return static_cast<std::size_t>(info.st_size) + 1;
    }
    return 64 * 1024;
}

} // namespace

int readWholeFile(const std::string& path, std::string& content) {
    content.clear();
    FileHandle file(std::fopen(path.c_str(), "rb"), &std::fclose);
    if (!file) {
        return errno;
    }
    content.resize(initialCapacity(file.get()));
    std::size_t used = 0;
    errno = 0;
    for (;;) {
        used += std::fread(content.data() + used, 1, content.size() - used, file.get());
        if (used < content.size()) {
            break;
        }
        content.resize(content.size() * 2);
    }
    if (std::ferror(file.get())) {
        int error = errno != 0 ? errno : EIO;
        content.clear();
        return error;
    }
    content.resize(used);
    return 0;
}

} // namespace collection
