#pragma once

#include <string>
#include <vector>

// Lays a text out as one point per character in overlay space (-0.5..0.5 in
// x and y, y up), starting at the top-left corner. size is the glyph size in
// tenths of the overlay height; characters advance by half of it and lines
// are 0.9 of it apart. The two characters '\' 'n' start a new line and make
// no point; everything else, a real line feed too, is a character.
//
// positions receives x, y, 0 and fontData the character code (as a signed
// byte), the glyph size and 0, three floats per point. Returns the number of
// points.
int layoutText(const std::string& text, int line, float size, std::vector<float>& positions,
               std::vector<float>& fontData);
