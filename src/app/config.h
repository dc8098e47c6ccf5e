#pragma once

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

// Reads "key=value" lines into the settings and the window record. Comment
// lines start with '#' in the first column; unknown keys and lines without
// '=' are ignored; a later line for the same key wins.
void loadConfig(std::istream& in, Window& window);

// As above from a file; a file that cannot be opened changes nothing.
void loadConfig(const std::string& fileName, Window& window);
