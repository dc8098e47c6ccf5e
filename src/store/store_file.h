#pragma once

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>

// The score store's file as a file: damage that shows before SQLite reads
// it, the date stamps, and moving a broken file aside. A player's scores are
// never deleted or written over: a file that is not a store we can use is
// renamed, with its journal files, and kept.

namespace store {

// Why the file cannot be a score store, judged from its first bytes and its
// size: not a SQLite database at all, or cut short of the pages its header
// counts. Nothing for a missing or empty file (a new store) or one that
// looks whole; SQLite finds the rest. A file with a write-ahead log beside it
// is not judged by its size: the log may hold its last pages.
std::optional<std::string> damageSeenInFile(const std::filesystem::path& file);

// "2024-05-01T18:30:00Z": the moment in UTC, ISO 8601, to the second.
std::string utcTimestamp(std::chrono::system_clock::time_point moment);

// Renames `file` to "<file>.broken-<UTC date>" (with "-2", "-3", ... should
// that name be taken), and its "-wal", "-shm" and "-journal" files beside it
// to the new name plus the same ending, so a new store started in its place
// never takes up the old one's log. Never replaces an existing file. The new
// name, or nothing with the reason in `error`.
std::optional<std::filesystem::path> moveAside(const std::filesystem::path& file,
                                               std::chrono::system_clock::time_point now,
                                               std::string& error);

} // namespace store
