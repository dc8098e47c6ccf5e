#include "assets/font_sheet.h"

#include <algorithm>
#include <cmath>
#include <ft2build.h>
#include <glm/vec3.hpp>
#include FT_FREETYPE_H
#include <iostream>
#include <vector>

namespace assetgen {

const char* const defaultFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSansMono-Bold.ttf";

namespace {

using Layout = FontSheetLayout;
const int outlineRadius = 2;
// Pixel size chosen so the advance is 28 px: the widest glyphs plus their
// outline then just fill the 32-px box the overlay shows, and ascender plus
// descender fit the 64-px cell height.
const int pixelSize = 46;

// Glyph coverage of one cell, 0..1, row 0 on top.
using Coverage = std::vector<float>;

void drawGlyph(FT_Face face, FT_ULong character, int baseline, Coverage& coverage) {
    if (FT_Load_Char(face, character, FT_LOAD_RENDER) != 0) {
        return;
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    int advance = int(slot->advance.x >> 6);
    int penX = (Layout::cell - Layout::glyphWidth) / 2 + (Layout::glyphWidth - advance) / 2;
    int left = penX + slot->bitmap_left, top = baseline - slot->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        for (unsigned col = 0; col < bitmap.width; ++col) {
            int x = left + int(col), y = top + int(row);
            if (x < 0 || y < 0 || x >= Layout::cell || y >= Layout::cell) {
                continue;
            }
            coverage[size_t(y * Layout::cell + x)] =
                float(bitmap.buffer[row * unsigned(bitmap.pitch) + col]) / 255.0f;
        }
    }
}

// The outline: coverage spread by a soft disc of the outline's radius.
Coverage dilate(const Coverage& coverage) {
    Coverage out(coverage.size(), 0.0f);
    for (int y = 0; y < Layout::cell; ++y) {
        for (int x = 0; x < Layout::cell; ++x) {
            float best = 0.0f;
            for (int dy = -outlineRadius - 1; dy <= outlineRadius + 1; ++dy) {
                for (int dx = -outlineRadius - 1; dx <= outlineRadius + 1; ++dx) {
                    int sx = x + dx, sy = y + dy;
                    if (sx < 0 || sy < 0 || sx >= Layout::cell || sy >= Layout::cell) {
                        continue;
                    }
                    float weight = std::clamp(
                        float(outlineRadius) + 0.5f - std::hypot(float(dx), float(dy)), 0.0f, 1.0f);
                    best = std::max(best, weight * coverage[size_t(sy * Layout::cell + sx)]);
                }
            }
            out[size_t(y * Layout::cell + x)] = best;
        }
    }
    return out;
}

// White glyph over its black outline, stored with straight (not premultiplied) alpha.
void composeCell(Image& sheet, int code, const Coverage& glyph) {
    Coverage outline = dilate(glyph);
    int originX = (code % Layout::cellsPerRow) * Layout::cell;
    int originY = (code / Layout::cellsPerRow) * Layout::cell;
    for (int y = 0; y < Layout::cell; ++y) {
        for (int x = 0; x < Layout::cell; ++x) {
            float g = glyph[size_t(y * Layout::cell + x)];
            float o = outline[size_t(y * Layout::cell + x)];
            float alpha = g + o * (1.0f - g);
            float white = alpha > 0.0f ? g / alpha : 0.0f;
            sheet.set(originX + x, originY + y, glm::vec4(glm::vec3(white), alpha));
        }
    }
}

// Opaque white over the whole glyph box, which is all the overlay shows of a
// cell: stretched, it draws a sharp-edged rectangle. Its top row stays
// clear: a glyph's quad ends exactly on its cell's edge, where nearest
// sampling may take the row below, and the block sits under 'o', which
// showed a stray underline.
void composeBlock(Image& sheet) {
    int originX = (Layout::blockCode % Layout::cellsPerRow) * Layout::cell +
                  (Layout::cell - Layout::glyphWidth) / 2;
    int originY = (Layout::blockCode / Layout::cellsPerRow) * Layout::cell;
    for (int y = 1; y < Layout::cell; ++y) {
        for (int x = 0; x < Layout::glyphWidth; ++x) {
            sheet.set(originX + x, originY + y, glm::vec4(1.0f));
        }
    }
}

} // namespace

std::optional<Image> fontSheet(const std::string& fontFile) {
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        std::cerr << "font sheet: FreeType could not start" << std::endl;
        return std::nullopt;
    }
    FT_Face face = nullptr;
    if (FT_New_Face(library, fontFile.c_str(), 0, &face) != 0) {
        std::cerr << "font sheet: cannot read font " << fontFile << std::endl;
        FT_Done_FreeType(library);
        return std::nullopt;
    }
    FT_Set_Pixel_Sizes(face, 0, pixelSize);
    int ascender = int(face->size->metrics.ascender >> 6);
    int descender = int(-face->size->metrics.descender >> 6);
    int baseline = (Layout::cell - ascender - descender) / 2 + ascender;
    Image sheet(Layout::size, Layout::size, 4);
    for (int code = Layout::firstCode; code <= Layout::lastCode; ++code) {
        Coverage glyph(size_t(Layout::cell * Layout::cell), 0.0f);
        drawGlyph(face, FT_ULong(code), baseline, glyph);
        composeCell(sheet, code, glyph);
    }
    Coverage times(size_t(Layout::cell * Layout::cell), 0.0f);
    drawGlyph(face, 0xD7, baseline, times);
    composeCell(sheet, Layout::timesCode, times);
    composeBlock(sheet);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return sheet;
}

} // namespace assetgen
