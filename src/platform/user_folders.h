#pragma once

#include <filesystem>
#include <functional>
#include <iosfwd>
#include <optional>
#include <string>

// Where the game keeps what belongs to the player, after the XDG base
// directory rules every Linux desktop follows: settings under
// $XDG_CONFIG_HOME, charts (which can be made again) under $XDG_CACHE_HOME,
// scores and history (which cannot) under $XDG_DATA_HOME, each in a folder
// "cueflight" of its own. Nothing here writes into the install prefix or the
// run folder.

namespace platform {

enum class UserFolder {
    Config, // $XDG_CONFIG_HOME/cueflight, else ~/.config/cueflight
    Cache,  // $XDG_CACHE_HOME/cueflight, else ~/.cache/cueflight
    Data,   // $XDG_DATA_HOME/cueflight, else ~/.local/share/cueflight
};

// Reads one environment variable; nothing when it is unset. Tests hand in
// their own so they never see the real folders.
using Environment = std::function<std::optional<std::string>(const char* name)>;

// The process's own environment, with the account's home from the password
// database when HOME is unset.
std::optional<std::string> processEnvironment(const char* name);

// The folder's path, made of nothing on disk. An XDG variable that is empty
// or relative is ignored, as the rules ask; without it and without a home
// there is no folder.
std::optional<std::filesystem::path>
userFolder(UserFolder kind, const Environment& environment = processEnvironment);

// The folder, made with its parents when missing. When it cannot be made (a
// read-only home, a file where a folder should be) one line naming it and
// the reason goes to `err` and there is nothing: the caller plays on without
// writing there.
std::optional<std::filesystem::path>
makeUserFolder(UserFolder kind, std::ostream& err,
               const Environment& environment = processEnvironment);

// The folder's name for messages: "settings", "charts" or "scores".
const char* userFolderRole(UserFolder kind);

} // namespace platform
