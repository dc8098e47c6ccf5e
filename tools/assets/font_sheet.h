#pragma once

#include "assets/image.h"

#include <optional>
#include <string>

namespace assetgen {

// Layout of the font sheet read by the "font" shader.
struct FontSheetLayout {
    static constexpr int size = 1024; // square RGBA image
    static constexpr int cellsPerRow =
        16;                               // code c sits at column c % 16, row c / 16 (row 0 on top)
    static constexpr int cell = 64;       // pixels per cell side
    static constexpr int glyphWidth = 32; // monospace box, centred in the cell
    static constexpr int firstCode = 32;  // printable ASCII; other cells stay transparent
    static constexpr int lastCode = 126;
    static constexpr int blockCode = 127; // a solid white box filling the glyph box
    static constexpr int timesCode = 30;  // the multiplication sign, U+00D7
};

// White glyphs (alpha = coverage) with a 2-pixel dark outline, rasterised from
// a TrueType font, and the solid block the overlay stretches into bars and
// ticks; nothing when the font file cannot be read.
std::optional<Image> fontSheet(const std::string& fontFile);

extern const char* const defaultFontFile;

} // namespace assetgen
