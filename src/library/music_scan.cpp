#include "library/music_scan.h"

#include <algorithm>
#include <array>
#include <set>
#include <string_view>

namespace library {

namespace fs = std::filesystem;

namespace {

constexpr std::array<std::string_view, 8> kSongExtensions = {".wav",  ".flac", ".ogg", ".oga",
                                                             ".opus", ".mp3",  ".aif", ".aiff"};

// Why a listed entry could not be looked at: gone since its folder was read,
// a link to nothing, or something else the system says.
std::string whyNotThere(const fs::path& path, const std::error_code& status) {
    std::error_code linkStatus;
    if (fs::is_symlink(fs::symlink_status(path, linkStatus))) {
        return "a link to nothing";
    }
    if (status == std::errc::no_such_file_or_directory) {
        return "vanished during the scan";
    }
    return "cannot be looked at: " + status.message();
}

bool isHidden(const fs::path& path) {
    const std::string name = path.filename().string();
    return !name.empty() && name.front() == '.';
}

class Walk {
public:
    explicit Walk(const ScanCallbacks& callbacks) : callbacks(callbacks) {}

    // A root the player named is walked even when hidden, and may be a song.
    void root(const fs::path& path) {
        std::error_code status;
        if (fs::is_directory(path, status)) {
            folder(path);
        } else if (fs::exists(path, status)) {
            entry(path);
        } else {
            tell(path, "no such folder");
        }
    }

private:
    void folder(const fs::path& path) {
        std::error_code status;
        const fs::path canonical = fs::canonical(path, status);
        if (status) {
            tell(path, "cannot open the folder: " + status.message());
            return;
        }
        if (!entered.insert(canonical).second) {
            return; // reached again through a link
        }
        std::vector<fs::path> children;
        fs::directory_iterator entries(path, status);
        for (; !status && entries != fs::directory_iterator(); entries.increment(status)) {
            children.push_back(entries->path());
        }
        if (status) {
            tell(path, "cannot read the folder: " + status.message());
        }
        std::sort(children.begin(), children.end());
        for (const fs::path& child : children) {
            if (callbacks.stop()) {
                return;
            }
            entry(child);
        }
    }

    void entry(const fs::path& path) {
        std::error_code status;
        const fs::file_status target = fs::status(path, status);
        if (status) {
            if (hasSongExtension(path)) {
                tell(path, whyNotThere(path, status));
            }
            return;
        }
        if (fs::is_directory(target)) {
            if (!isHidden(path)) {
                folder(path);
            }
            return;
        }
        if (!fs::is_regular_file(target) || !hasSongExtension(path)) {
            return;
        }
        file(path);
    }

    void file(const fs::path& path) {
        std::error_code status;
        const std::uintmax_t size = fs::file_size(path, status);
        const fs::file_time_type modified = fs::last_write_time(path, status);
        if (status) {
            tell(path, whyNotThere(path, status));
        } else if (size == 0) {
            tell(path, "empty file");
        } else if (size > kLargestSongBytes) {
            tell(path, "larger than 4 GB");
        } else {
            callbacks.found({path, size, modified.time_since_epoch().count()});
        }
    }

    void tell(const fs::path& path, const std::string& reason) {
        callbacks.problem({path, reason});
    }

    const ScanCallbacks& callbacks;
    std::set<fs::path> entered; // canonical paths of the folders walked
};

} // namespace

bool hasSongExtension(const fs::path& path) {
    std::string extension = path.extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(), [](unsigned char c) {
        return static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    });
    return std::find(kSongExtensions.begin(), kSongExtensions.end(), extension) !=
           kSongExtensions.end();
}

void scanFolders(const std::vector<fs::path>& roots, const ScanCallbacks& callbacks) {
    Walk walk(callbacks);
    for (const fs::path& root : roots) {
        if (callbacks.stop()) {
            return;
        }
        walk.root(root);
    }
}

} // namespace library
