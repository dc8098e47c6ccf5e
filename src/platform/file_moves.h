#pragma once

#include <filesystem>
#include <system_error>

namespace platform {

// Renames `from` to `to` unless `to` exists, in one step: two games moving
// files at the same moment cannot lose one of them. std::errc::file_exists
// when `to` is taken, another error when the rename fails for another reason
// (no_such_file_or_directory for a missing `from`).
std::error_code renameWithoutReplacing(const std::filesystem::path& from,
                                       const std::filesystem::path& to);

} // namespace platform
