#version 150

// Bloom in four plane modes:
//   0  bright pass: the scene, shrunk to an eighth, keeps only what is bright
//   1  narrow blur of the bright picture (into a cleared target)
//   2  wide blur of the bright picture, blended half over the narrow one
//   3  composite: the target gets the texture as it is, upscaled smoothly
// The composite runs twice, first with the glow and then with the scene, and
// the frame passes' blend functions add the two. Everything it writes is
// opaque: the blend reads destination alpha, and a window with no alpha
// channel reads 1 there, so opaque output gives the same sum either way.
//
// Software renderers run every branch of a shader for every pixel and only
// mask the results, and a texture read inside a loop costs them many times
// one outside. The composite, the only mode drawn over the whole window,
// therefore reads its four texels in straight code, and the blurs' loops
// are empty in every mode but their own.

uniform sampler2D fboTex0;
uniform vec2 windowSize; // level-0 size of the texture being read, set with it
uniform int mode;

in vec2 screenUv;

out vec4 fragColor;

// Luminance where the glow starts and where it is at full strength.
const float kGlowStart = 0.55;
const float kGlowFull = 0.95;
// How much of the bright light spills into the glow.
const float kGlowGain = 1.6;

float luminance(vec3 c) {
    return dot(c, vec3(0.2126, 0.7152, 0.0722));
}

// Only what is bright glows; mode 0 keeps just that of every texel it reads.
vec3 kept(vec3 c) {
    return mode == 0 ? c * smoothstep(kGlowStart, kGlowFull, luminance(c)) : c;
}

// The last texel of a mip level.
ivec2 lastTexel(int level) {
    return max(ivec2(windowSize) / (1 << level), ivec2(1)) - 1;
}

// This pixel's place in texels of a mip level; texel centres are whole.
vec2 placeOn(int level) {
    return screenUv * windowSize / float(1 << level) - 0.5;
}

// Bilinear by hand on one level: the colour textures magnify with nearest
// filtering, which would show the glow's eighth-size texels as blocks. At
// equal sizes it lands on texel centres and copies the texture exactly; on
// level 2 of the scene it averages the four texels that cover an
// eighth-size pixel.
vec3 bilinear(int level) {
    ivec2 last = lastTexel(level);
    vec2 place = placeOn(level);
    vec2 base = floor(place);
    vec2 f = place - base;
    ivec2 i0 = clamp(ivec2(base), ivec2(0), last);
    ivec2 i1 = min(i0 + 1, last);
    vec3 bottom = mix(kept(texelFetch(fboTex0, i0, level).rgb),
                      kept(texelFetch(fboTex0, ivec2(i1.x, i0.y), level).rgb), f.x);
    vec3 top = mix(kept(texelFetch(fboTex0, ivec2(i0.x, i1.y), level).rgb),
                   kept(texelFetch(fboTex0, i1, level).rgb), f.x);
    return mix(bottom, top, f.y);
}

// Gaussian over a side x side square of texels of one level around this
// pixel, weighted by their exact distance, so the result moves smoothly
// from pixel to pixel even on a coarser level. The falloff puts the weight
// near zero at the square's border: the glow has no visible edge.
vec3 gaussian(int level, int side, float falloff) {
    ivec2 last = lastTexel(level);
    vec2 place = placeOn(level);
    vec2 origin = floor(place + 0.5) - float(side / 2);
    vec3 sum = vec3(0.0);
    float total = 0.0;
    for (int i = 0; i < side * side; ++i) {
        vec2 texel = origin + vec2(float(i % side), float(i / side));
        vec2 d = texel - place;
        float weight = exp(-dot(d, d) / falloff);
        sum += texelFetch(fboTex0, clamp(ivec2(texel), ivec2(0), last), level).rgb * weight;
        total += weight;
    }
    return sum / max(total, 1.0e-6);
}

void main() {
    // One blur serves both blur modes: 9 x 9 texels of level 0 of the
    // eighth-size picture (narrow), or 5 x 5 of its level 2, reaching four
    // times as far (wide). The square's side is written in terms of the mode
    // (9 * 1, 5 * 2 / 2), so the compiler can neither fold nor bound it and
    // unroll the loop; in the other modes it is 0.
    int side = mode == 1 ? 9 * mode : mode == 2 ? 5 * mode / 2 : 0;
    vec3 blurred = gaussian(mode == 2 ? 2 : 0, side, mode == 1 ? 3.5 : 1.5) * kGlowGain;
    // Level 2 of the scene for the bright pass, level 0 for the composite.
    vec3 direct = bilinear(mode == 0 ? 2 : 0);
    if (mode == 1) {
        fragColor = vec4(blurred, 1.0);
    } else if (mode == 2) {
        // Half over the narrow blur while blending is on, alone when it is off.
        fragColor = vec4(blurred, 0.5);
    } else {
        fragColor = vec4(direct, 1.0);
    }
}
