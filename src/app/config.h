#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

class Window;

// The smallest window side: the cameras divide by half the size, so a side
// of 0 or 1 would divide by zero.
constexpr int minimumWindowSide = 2;

// A number in the manner of scanf's "%i": leading blanks, an optional sign,
// then decimal, 0x hexadecimal or leading-zero octal; anything after the
// number is ignored. Nothing when no number starts the text. Values beyond
// the range of int are pinned to its limits.
std::optional<int> parseConfigInteger(const std::string& text);

// A number that may have decimals, for the latencies: decimal digits may go
// on with a point and more digits (whatever the locale); anything else reads
// as parseConfigInteger reads it.
std::optional<double> parseConfigDecimal(const std::string& text);

// Reads "key=value" lines into the settings and the window record. Comment
// lines start with '#' in the first column; unknown keys and lines without
// '=' are ignored; a later line for the same key wins.
void loadConfig(std::istream& in, Window& window);

// As above from a file; a file that cannot be opened changes nothing.
void loadConfig(const std::string& fileName, Window& window);

// The largest settings file the player's own may be; anything longer is not
// a settings file someone wrote.
constexpr std::uintmax_t kPlayerConfigLimit = 1024 * 1024;

// The player's own settings, read over the shipped ones key by key. The
// level's keys (music, song_end_ms) stay the run folder's: a chart's song
// must not give way to a line the player wrote for another. A missing file
// changes nothing, in silence unless the player named it (--config). A file
// that cannot be read, is not text or is larger than kPlayerConfigLimit gives
// one line on `err` naming it, and none of its lines count.
void loadPlayerConfig(const std::filesystem::path& file, bool namedByPlayer, Window& window,
                      std::ostream& err);

// The level's song of another run folder's config.cfg (music=,
// song_end_ms=, over the shipped song's), and nothing else of it: the song
// library plays each song from its chart's folder, while the player's
// settings stay as they were read at start.
void loadLevelConfig(const std::string& fileName);

// The whole of the player's file, or nothing with the reason it is not a
// settings file: a folder, unreadable, larger than kPlayerConfigLimit, or
// not text.
std::optional<std::string> readPlayerConfigText(const std::filesystem::path& file,
                                                std::string& reason);

// The player's settings file for this start; an empty path reads none.
struct PlayerConfig {
    std::filesystem::path file;
    bool namedByPlayer = false; // given with --config, so its absence is worth a line
};
