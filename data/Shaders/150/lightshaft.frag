#version 150

// God rays: the occlusion picture (the moon white, everything in front of it
// black) is smeared along the line from each pixel toward the moon's place
// on the screen, fading with distance, and added to the frame. The moon thus
// shines as a bright disc and throws rays past the objects that cover it.

uniform sampler2D fboTex0;   // the occlusion picture, half the window's size
uniform vec3 lightDirection; // the light's world position, where the moon is drawn
uniform vec2 windowSize;     // the window in pixels, for a round glow
uniform mat4 vMat;           // the camera's view
uniform mat4 projMat;        // arrives transposed: multiply from the left

in vec2 screenUv;

out vec4 fragColor;

const int kSamples = 16;
// Share of the way to the light that the samples cover.
const float kDensity = 0.9;
// Each sample further out counts this much less than the one before.
const float kDecay = 0.9;
// The rays saturate softly toward kRayMax, so a moon that fills the view
// brightens the picture without burning it out.
const float kExposure = 0.28;
const float kRayMax = 0.55;
// The moon's own disc, added on top of its rays.
const float kDiscBrightness = 0.4;
// The occlusion picture's background is the clear colour, not black: only
// what is clearly brighter counts as light.
const float kLightThreshold = 0.25;
const vec3 kMoonlight = vec3(0.85, 0.9, 1.0);
// How far from the light's place the rays reach, in screen heights.
const float kReach = 0.8;

float lightAt(vec2 uv, float lod) {
    vec3 c = textureLod(fboTex0, uv, lod).rgb;
    return max(dot(c, vec3(0.333)) - kLightThreshold, 0.0) / (1.0 - kLightThreshold);
}

void main() {
    vec4 clip = (vMat * vec4(lightDirection, 1.0)) * projMat;
    // Nothing shines from a light behind the camera.
    bool ahead = clip.w > 0.0;
    vec2 lightUv = clip.xy / max(clip.w, 1.0e-6) * 0.5 + 0.5;
    // Rays fade as the light leaves the screen; past the fade's end the frame
    // pass does not draw them (kRaysFadeEnd there).
    float onScreen = 1.0 - smoothstep(0.6, 1.2, max(abs(lightUv.x - 0.5), abs(lightUv.y - 0.5)));
    vec2 toLight = (screenUv - lightUv) * windowSize / windowSize.y;
    float distance = length(toLight);
    // Software renderers run a loop as long as any pixel of a block needs it
    // (and its body at least once): pixels whose rays would not show ask for
    // no samples at all.
    int samples = ahead && onScreen > 0.0 && distance < kReach ? kSamples : 0;
    vec2 step = (lightUv - screenUv) * (kDensity / float(kSamples));
    // Long steps read a coarser level, so the rays come out smooth, not banded.
    // Level 4 is the deepest the frame buffer builds.
    float lod = clamp(log2(length(step * vec2(textureSize(fboTex0, 0)))), 0.0, 4.0);
    vec2 uv = screenUv;
    float weight = 1.0;
    float sum = 0.0;
    // The first sample is this pixel's own light: the moon's disc. A texture
    // read at a mip level costs software renderers several plain reads, so
    // the disc is not read again.
    float disc = 0.0;
    for (int i = 0; i < samples; ++i) {
        float here = lightAt(uv, lod);
        disc = i == 0 ? here : disc;
        sum += here * weight;
        weight *= kDecay;
        uv += step;
    }
    float rays = (1.0 - exp(-sum * kExposure)) * kRayMax * (1.0 - smoothstep(0.5, 1.0, distance / kReach));
    // A soft halo around the light's place adds to the rays.
    float halo = exp(-distance * distance * 30.0) * 0.25;
    float light = (rays + disc * kDiscBrightness + halo) * onScreen;
    fragColor = vec4(kMoonlight * (ahead ? light : 0.0), 1.0);
}
