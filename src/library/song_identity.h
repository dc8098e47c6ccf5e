#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace library {

// A song is known by the SHA-256 of its file's bytes, written as 64
// lower-case hex digits: a renamed or moved file keeps its scores and its
// charts, and an edited one is another song. The chart cache and the score
// store both key on it.
constexpr std::size_t kSongIdentityLength = 64;

// The identity of the file's bytes, read in chunks; nothing when the file
// cannot be read, with the reason in `error`.
std::optional<std::string> songIdentity(const std::filesystem::path& file, std::string& error);

} // namespace library
