#pragma once

#include <filesystem>
#include <string>

namespace platform {

// Puts `contents` in place of `file` so that a reader, or a crash halfway,
// sees either the old file whole or the new one whole: the text goes into a
// new file beside it, reaches the disk, and is renamed over the old one. A
// symbolic link is followed, so a link into a folder of dotfiles stays a link
// and its target changes; the file keeps its permissions. False with the
// reason in `error` when anything fails, and then the old file is as it was
// and no temporary file is left behind.
bool replaceFile(const std::filesystem::path& file, const std::string& contents,
                 std::string& error);

} // namespace platform
