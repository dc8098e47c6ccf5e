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

uniform sampler2D fboTex0;
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

vec3 brightPart(vec3 c) {
    return c * smoothstep(kGlowStart, kGlowFull, luminance(c));
}

// One target texel covers 8 x 8 scene texels. Mip level 2 averages 4 x 4, so
// four level-2 texels cover the block; thresholding each before averaging
// keeps a small bright object bright.
vec4 brightPass() {
    vec2 texel = 1.0 / vec2(textureSize(fboTex0, 0));
    vec3 sum = vec3(0.0);
    for (int i = 0; i < 4; ++i) {
        vec2 offset = vec2(float(i % 2) * 4.0 - 2.0, float(i / 2) * 4.0 - 2.0) * texel;
        sum += brightPart(textureLod(fboTex0, screenUv + offset, 2.0).rgb);
    }
    return vec4(sum * 0.25, 1.0);
}

// Gaussian over 9 x 9 texels of the same size as the target, falling to
// about 1% at the border so the glow has no visible edge.
vec4 narrowBlur() {
    ivec2 size = textureSize(fboTex0, 0);
    ivec2 centre = ivec2(screenUv * vec2(size));
    vec3 sum = vec3(0.0);
    float total = 0.0;
    for (int y = -4; y <= 4; ++y) {
        for (int x = -4; x <= 4; ++x) {
            float weight = exp(-float(x * x + y * y) / 3.5);
            ivec2 at = clamp(centre + ivec2(x, y), ivec2(0), size - 1);
            sum += texelFetch(fboTex0, at, 0).rgb * weight;
            total += weight;
        }
    }
    return vec4(sum / total * kGlowGain, 1.0);
}

// Gaussian over the quarter-size mip level, reaching four times as far,
// again fading out before its border.
vec4 wideBlur() {
    vec2 texel = 4.0 / vec2(textureSize(fboTex0, 0));
    vec3 sum = vec3(0.0);
    float total = 0.0;
    for (int y = -3; y <= 3; ++y) {
        for (int x = -3; x <= 3; ++x) {
            float weight = exp(-float(x * x + y * y) / 3.0);
            sum += textureLod(fboTex0, screenUv + vec2(x, y) * texel, 2.0).rgb * weight;
            total += weight;
        }
    }
    // Half over the narrow blur when blending is on; alone when it is off.
    return vec4(sum / total * kGlowGain, 0.5);
}

// Bilinear by hand: the colour textures magnify with nearest filtering,
// which would show the glow's eighth-size texels as blocks. At equal sizes
// it lands on texel centres and copies the texture exactly.
vec4 composite() {
    ivec2 size = textureSize(fboTex0, 0);
    vec2 p = screenUv * vec2(size) - 0.5;
    vec2 base = floor(p);
    vec2 f = p - base;
    ivec2 i0 = clamp(ivec2(base), ivec2(0), size - 1);
    ivec2 i1 = clamp(ivec2(base) + 1, ivec2(0), size - 1);
    vec3 bottom = mix(texelFetch(fboTex0, i0, 0).rgb, texelFetch(fboTex0, ivec2(i1.x, i0.y), 0).rgb, f.x);
    vec3 top = mix(texelFetch(fboTex0, ivec2(i0.x, i1.y), 0).rgb, texelFetch(fboTex0, i1, 0).rgb, f.x);
    return vec4(mix(bottom, top, f.y), 1.0);
}

void main() {
    if (mode == 0) {
        fragColor = brightPass();
    } else if (mode == 1) {
        fragColor = narrowBlur();
    } else if (mode == 2) {
        fragColor = wideBlur();
    } else {
        fragColor = composite();
    }
}
