#version 150

// One point per character: its centre in overlay space and its font data
// (character code, glyph size, unused). The geometry stage builds the glyph.

in vec3 in_Position;
in vec3 in_Font;

out vec3 font;

void main() {
    font = in_Font;
    gl_Position = vec4(in_Position, 1.0);
}
