#version 150

// Turns each character point into a quad showing its glyph from the font
// sheet: a 16 x 16 grid of square cells, code c at column c % 16 and row
// c / 16, row 0 at the top of the image (texture t = 0 is its first row).
// Each glyph sits in the middle half of its cell's width, so the quad is half
// the glyph size wide and the full size high: characters 0.5 size apart then
// just touch, and lines 0.9 size apart overlap only in the cells' empty
// margins.

layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

uniform mat4 mvMat;
// Arrives as the transpose of the projection (it is uploaded with the
// transpose flag set); multiplying a point from the left, as a row vector,
// applies the projection itself.
uniform mat4 projMat;

in vec3 font[];

out vec2 sheetCoord;

const float cellsPerRow = 16.0;
const float boxLeft = 0.25;  // glyph box within its cell, in cell widths
const float boxRight = 0.75;

void corner(vec4 centre, vec2 offset, vec2 coord) {
    gl_Position = (mvMat * (centre + vec4(offset, 0.0, 0.0))) * projMat;
    sheetCoord = coord;
    EmitVertex();
}

void main() {
    int code = int(font[0].x);
    // Codes past 127 arrive as negative bytes; the sheet has no glyphs there.
    if (code < 0 || code > 255) {
        return;
    }
    float size = font[0].y;
    vec2 extent = vec2(0.25 * size, 0.5 * size);
    vec2 cell = vec2(float(code % 16), float(code / 16));
    float left = (cell.x + boxLeft) / cellsPerRow;
    float right = (cell.x + boxRight) / cellsPerRow;
    float top = cell.y / cellsPerRow;
    float bottom = (cell.y + 1.0) / cellsPerRow;
    vec4 centre = gl_in[0].gl_Position;
    corner(centre, vec2(-extent.x, -extent.y), vec2(left, bottom));
    corner(centre, vec2(extent.x, -extent.y), vec2(right, bottom));
    corner(centre, vec2(-extent.x, extent.y), vec2(left, top));
    corner(centre, vec2(extent.x, extent.y), vec2(right, top));
    EndPrimitive();
}
