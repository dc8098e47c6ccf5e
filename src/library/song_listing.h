#pragma once

#include "library/music_scan.h"

#include <filesystem>
#include <map>
#include <optional>
#include <string>

// What the library has learnt of each song file, kept in the cache folder
// between starts so that a warm start lists every song without opening one.
// A file is known again only while its size and modification time are the
// same; anything else is a new file to the library.

namespace library {

struct SongFacts {
    std::string title;      // from the file's tags; empty when it has none
    std::string artist;     // likewise
    long long lengthMs = 0; // from the header; 0 when it does not say
    std::string identity;   // the SHA-256 of the bytes; empty until hashed
    std::string problem;    // why the file is no song ("not audio ..."); empty for a song
};

class SongListing {
public:
    // The file's facts if it is unchanged since they were learnt.
    std::optional<SongFacts> find(const FoundFile& file) const;
    void remember(const FoundFile& file, const SongFacts& facts);
    // Why songs of this identity could not be charted by the charting
    // analysis of `chartVersion`: they are not tried again until the file
    // (and so its identity) or the analysis changes.
    std::optional<std::string> chartProblem(const std::string& identity, int chartVersion) const;
    void rememberChartProblem(const std::string& identity, int chartVersion,
                              const std::string& reason);

    // The cache file's text, and back. A line that does not read is dropped:
    // the cache only saves time, and a song it forgets is looked at again.
    std::string text() const;
    static SongListing parse(const std::string& text);

    // From and to the cache file; saving writes a temporary file and renames
    // it over the old one, so a crash leaves one or the other whole.
    static SongListing load(const std::filesystem::path& file);
    bool save(const std::filesystem::path& file) const;

private:
    struct Known {
        std::uintmax_t size = 0;
        std::int64_t modified = 0;
        SongFacts facts;
    };
    std::map<std::filesystem::path, Known> files;
    std::map<std::string, std::pair<int, std::string>> chartProblems; // by identity
};

} // namespace library
