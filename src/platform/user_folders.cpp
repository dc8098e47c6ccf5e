#include "platform/user_folders.h"

#include <cstdlib>
#include <ostream>
#include <pwd.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace platform {

namespace fs = std::filesystem;

namespace {

constexpr const char* kGameFolder = "cueflight";

struct FolderRule {
    const char* variable;     // the XDG variable that names the base
    const char* homeFallback; // the base below the home without it
    const char* role;
};

FolderRule ruleFor(UserFolder kind) {
    switch (kind) {
    case UserFolder::Config:
        return {"XDG_CONFIG_HOME", ".config", "settings"};
    case UserFolder::Cache:
        return {"XDG_CACHE_HOME", ".cache", "charts"};
    case UserFolder::Data:
        break;
    }
    return {"XDG_DATA_HOME", ".local/share", "scores"};
}

// Only an absolute path may name a base: a relative one would land wherever
// the game happens to be started.
std::optional<fs::path> absoluteValue(const Environment& environment, const char* name) {
    std::optional<std::string> value = environment(name);
    if (!value || value->empty() || value->front() != '/') {
        return std::nullopt;
    }
    return fs::path(*value);
}

std::optional<std::string> accountHome() {
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found ||
        !found->pw_dir) {
        return std::nullopt;
    }
    return std::string(found->pw_dir);
}

} // namespace

std::optional<std::string> processEnvironment(const char* name) {
    if (const char* value = std::getenv(name)) {
        return std::string(value);
    }
    if (std::string(name) == "HOME") {
        return accountHome();
    }
    return std::nullopt;
}

std::optional<fs::path> userFolder(UserFolder kind, const Environment& environment) {
    const FolderRule rule = ruleFor(kind);
    if (std::optional<fs::path> base = absoluteValue(environment, rule.variable)) {
        return *base / kGameFolder;
    }
    if (std::optional<fs::path> home = absoluteValue(environment, "HOME")) {
        return *home / rule.homeFallback / kGameFolder;
    }
    return std::nullopt;
}

std::optional<fs::path> makeUserFolder(UserFolder kind, std::ostream& err,
                                       const Environment& environment) {
    std::optional<fs::path> folder = userFolder(kind, environment);
    if (!folder) {
        err << "cueflight: no folder for your " << userFolderRole(kind) << ": neither HOME nor "
            << ruleFor(kind).variable << " names one" << std::endl;
        return std::nullopt;
    }
    std::error_code status;
    fs::create_directories(*folder, status);
    if (!status && !fs::is_directory(*folder, status)) {
        status = std::make_error_code(std::errc::not_a_directory);
    }
    // A folder that exists but refuses new files is as good as none.
    if (!status && access(folder->c_str(), W_OK | X_OK) != 0) {
        status = std::error_code(errno, std::generic_category());
    }
    if (status) {
        err << "cueflight: cannot make the folder for your " << userFolderRole(kind) << ", "
            << folder->string() << ": " << status.message() << "; nothing is saved there"
            << std::endl;
        return std::nullopt;
    }
    return folder;
}

const char* userFolderRole(UserFolder kind) {
    return ruleFor(kind).role;
}

} // namespace platform
