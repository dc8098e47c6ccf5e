#version 150

// Glyphs are drawn much smaller than the sheet's 64-pixel cells (a message
// line is about 23 pixels high) and the sheet is sampled without filtering,
// so a single sample per pixel would drop strokes and flicker. Sixteen
// samples spread over the pixel's footprint average the glyph down instead;
// colours are averaged weighted by their coverage, so the white fill and the
// dark outline keep their tones at the edges.
//
// The tint colours the white fill (the dark outline stays dark, so tinted
// text reads on any background) and scales the opacity.

uniform sampler2D fontTexture;
uniform vec4 tint;

in vec2 sheetCoord;

out vec4 out_Color;

const int samplesPerSide = 4;

void main() {
    vec2 acrossX = dFdx(sheetCoord);
    vec2 acrossY = dFdy(sheetCoord);
    vec4 sum = vec4(0.0);
    for (int i = 0; i < samplesPerSide; ++i) {
        for (int j = 0; j < samplesPerSide; ++j) {
            vec2 at = (vec2(i, j) + 0.5) / float(samplesPerSide) - 0.5;
            vec4 texel = textureLod(fontTexture, sheetCoord + at.x * acrossX + at.y * acrossY, 0.0);
            sum += vec4(texel.rgb * texel.a, texel.a);
        }
    }
    if (sum.a <= 0.0) {
        discard;
    }
    out_Color = vec4(sum.rgb / sum.a, sum.a / float(samplesPerSide * samplesPerSide)) * tint;
}
