#version 150

// Bloom in four plane modes:
//   0  bright pass: the scene, shrunk to an eighth, keeps only what is bright
//   1  narrow blur of the bright picture (into a cleared target)
//   2  wide blur of the bright picture, blended half over the narrow one
//   3  composite: the target gets the texture as it is, upscaled smoothly
//   4  the composite of the glow with the scene (fboTex1, the window's size)
//      added texel for texel: what blending the glow's and then the scene's
//      composite onto the screen adds up to, in one pass
// Mode 4 is also built on its own (GLOW_AND_SCENE defined).
// Everything it writes is opaque: the blend reads destination alpha, and a
// window with no alpha channel reads 1 there, so opaque output gives the
// same sum either way.
//
// Software renderers run every instruction of a shader for every pixel,
// whichever branch the pixel takes, and the body of every loop at least once,
// even where it is to run zero times. The composite, the only mode drawn
// over the whole window, is therefore straight code of a few texel reads,
// and the other modes share one loop whose body is cheap: no branch of their
// own, a single texel read of the level the mode chose.

uniform sampler2D fboTex0;
uniform sampler2D fboTex1; // mode 4's scene
uniform vec2 windowSize; // level-0 size of the texture being read, set with it
uniform int mode;
uniform vec3 glowTint; // a song's course colours the glow; (1, 1, 1) otherwise

in vec2 screenUv;

out vec4 fragColor;

// Luminance where the glow starts and where it is at full strength.
const float kGlowStart = 0.55;
const float kGlowFull = 0.95;
// How much of the bright light spills into the glow.
const float kGlowGain = 1.6;
// The blurs' squares: 9 x 9 texels of level 0 of the eighth-size picture
// (narrow), or 5 x 5 of its level 2, reaching four times as far (wide). The
// falloffs put the weight near zero at each square's border: the glow has no
// visible edge.
const int kNarrowSide = 9;
const float kNarrowFalloff = 3.5;
const int kWideSide = 5;
const float kWideFalloff = 1.5;
const int kWideLevel = 2; // the frame buffers build no deeper level
// The bright pass reads the scene's level 2, a quarter of its size: the 2 x 2
// texels there that cover an eighth-size pixel (any falloff weighs them
// alike).
const int kBrightSide = 2;
const int kBrightLevel = 2; // the frame buffers build no deeper level

float luminance(vec3 c) {
    return dot(c, vec3(0.2126, 0.7152, 0.0722));
}

// The last texel of a mip level. Shifts, not integer division: vector units
// have no integer divide, so a software renderer would divide lane by lane.
ivec2 lastTexel(int level) {
    return max(ivec2(windowSize) >> level, ivec2(1)) - 1;
}

// This pixel's place in texels of a mip level; texel centres are whole.
vec2 placeOn(int level) {
    return screenUv * windowSize / float(1 << level) - 0.5;
}

// Only what is bright glows; the bright pass keeps just that of every texel
// it reads, so a thin bright line is not averaged away before it counts.
vec3 texel(ivec2 at, int level, bool brightOnly) {
    vec3 c = texelFetch(fboTex0, at, level).rgb;
    return brightOnly ? c * smoothstep(kGlowStart, kGlowFull, luminance(c)) : c;
}

// Level 0 as the texture unit magnifies it: linearly for the glow, whose
// eighth-size texels would otherwise show as blocks; at equal sizes (the
// scene) it lands on texel centres and copies the texture exactly. One
// filtered read costs a software renderer far less than four fetches and
// their weights in the shader, in every mode, over the whole window.
vec3 bilinear() {
    return textureLod(fboTex0, screenUv, 0.0).rgb;
}

// Gaussian over a side x side square of texels of one level around this
// pixel, weighted by their exact distance, so the result moves smoothly
// from pixel to pixel even on a coarser level. The weight splits into a
// row and a column factor. An even side centres the square between texels:
// a 2 x 2 square then weighs its texels alike.
vec3 gaussian(int level, int side, float falloff, bool brightOnly) {
    ivec2 last = lastTexel(level);
    vec2 place = placeOn(level);
    vec2 origin = floor(place + 0.5 * float(side & 1)) - float((side - 1) >> 1);
    vec3 sum = vec3(0.0);
    float total = 0.0;
    for (int y = 0; y < side; ++y) {
        float dy = origin.y + float(y) - place.y;
        float rowWeight = exp(-dy * dy / falloff);
        int row = clamp(int(origin.y) + y, 0, last.y);
        for (int x = 0; x < side; ++x) {
            float dx = origin.x + float(x) - place.x;
            float weight = rowWeight * exp(-dx * dx / falloff);
            int column = clamp(int(origin.x) + x, 0, last.x);
            sum += texel(ivec2(column, row), level, brightOnly) * weight;
            total += weight;
        }
    }
    return sum / max(total, 1.0e-6);
}

// Mode 4: the glow as the screen would keep it, then the scene added.
vec3 glowAndScene(vec3 glow) {
    return min(glow, 1.0) + texelFetch(fboTex1, ivec2(gl_FragCoord.xy), 0).rgb;
}

#ifdef GLOW_AND_SCENE
// Mode 4 alone, built as a program of its own: its few reads without the
// loop the other modes share, which a software renderer would run once over
// the whole window for nothing. The full program keeps mode 4 for when this
// one does not build.
void main() {
    fragColor = vec4(glowAndScene(bilinear()), 1.0);
}
#else
void main() {
    vec3 colour = bilinear();
    int side = mode == 0 ? kBrightSide : mode == 1 ? kNarrowSide : mode == 2 ? kWideSide : 0;
    if (side > 0) {
        int level = mode == 0 ? kBrightLevel : mode == 1 ? 0 : kWideLevel;
        float falloff = mode == 1 ? kNarrowFalloff : kWideFalloff;
        vec3 gain = mode == 0 ? glowTint : vec3(kGlowGain);
        colour = gaussian(level, side, falloff, mode == 0) * gain;
    }
    if (mode == 4) {
        colour = glowAndScene(colour);
    }
    // The wide blur goes half over the narrow one while blending is on, and
    // alone when it is off.
    fragColor = vec4(colour, mode == 2 ? 0.5 : 1.0);
}
#endif
