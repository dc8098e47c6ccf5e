#version 150

// Camera motion blur. Each pixel's world position is rebuilt from the depth
// of the occlusion pass, projected with the previous frame's view, and the
// picture is averaged along the way the pixel moved since then.
//
// The blend (source colour, one minus source colour) gives
// s*s + d*(1-s) for output s over the frame d. The output is solved from
// that for the blurred colour, so the frame becomes the blurred colour
// wherever the blend can reach it, and output 0 leaves a pixel exactly as
// it was.
//
// The picture's alpha marks what was drawn over the world (the crosshair
// and the text; the pass paints their coverage there). Those pixels do not
// move with the camera: they are left as they are, and the samples of their
// neighbours skip them, so they neither smear nor bleed into the scene.
//
// Software renderers run every instruction for every pixel, whichever
// branch it takes, and pay heavily for each turn of a loop whose length is
// not known in advance. The samples are therefore a fixed, unrolled set of
// plain texel reads, the frame's own texel among them.

uniform sampler2D fboTex0; // this frame's picture; alpha marks the overlays
uniform sampler2D fboTex1; // depth of the occlusion pass, half size

in vec2 screenUv;
// From the vertex stage: this pixel's old clip position is
// previousClip + (near / distance) * previousClipPerDepth.
in vec4 previousClip;
flat in vec4 previousClipPerDepth;

out vec4 fragColor;

// Samples on each side of the pixel along its motion.
const int kSamplesPerSide = 3;
// The longest smear, in screen widths; a longer motion is cut short.
const float kMaxBlur = 0.04;
// A jump this large is a camera cut (or the first blurred frame), not motion.
const float kCut = 0.5;
// The world shaders' depth: an infinite far plane at the projection's near
// distance, window depth 1 - epsilon at infinity.
const float kDepthEpsilon = 1.0e-6;

// Where this pixel was one frame ago, in normalised device coordinates.
// Homogeneous all the way, so the background at infinite depth (distance
// term 0) moves with the camera's turn alone.
vec2 previousPosition(vec2 ndc, float depth) {
    float ndcDepth = depth * 2.0 - 1.0;
    // near / distance, from the infinite-far depth mapping.
    float nearOverDistance = max(1.0 - kDepthEpsilon - ndcDepth, 0.0) / (2.0 - kDepthEpsilon);
    vec4 clip = previousClip + nearOverDistance * previousClipPerDepth;
    // Behind the old camera there is no sensible motion.
    return clip.w > 0.0 ? clip.xy / clip.w : ndc;
}

// The output s whose blend s*s + frame*(1-s) gives target, per channel; where
// no s in 0..1 reaches it, the darkest the blend can make.
vec3 solveBlend(vec3 frame, vec3 target) {
    vec3 discriminant = frame * frame - 4.0 * (frame - target);
    vec3 root = sqrt(max(discriminant, 0.0));
    vec3 solved = (frame + mix(-root, root, step(frame, target))) * 0.5;
    return mix(solved, frame * 0.5, lessThan(discriminant, vec3(0.0)));
}

void main() {
    ivec2 size = textureSize(fboTex0, 0);
    ivec2 pixel = ivec2(screenUv * vec2(size));
    // The depth picture is half the size: its texel under this pixel.
    ivec2 depthTexel = min(ivec2(screenUv * vec2(textureSize(fboTex1, 0))), textureSize(fboTex1, 0) - 1);
    vec2 ndc = screenUv * 2.0 - 1.0;
    vec2 motion = (ndc - previousPosition(ndc, texelFetch(fboTex1, depthTexel, 0).r)) * 0.5;
    float moved = length(motion);
    motion *= min(1.0, kMaxBlur / max(moved, 1.0e-6));
    vec2 stride = motion * vec2(size) / float(2 * kSamplesPerSide);
    vec4 frame = texelFetch(fboTex0, pixel, 0);
    // Only unmarked texels count, even an overlay's faint edge is mostly the
    // overlay's colour. The pixel itself is unmarked wherever it is blurred.
    vec3 sum = frame.rgb;
    float total = 1.0;
    for (int i = 1; i <= kSamplesPerSide; ++i) {
        vec2 offset = stride * float(i);
        vec4 ahead = texelFetch(fboTex0, clamp(pixel + ivec2(offset), ivec2(0), size - 1), 0);
        vec4 behind = texelFetch(fboTex0, clamp(pixel - ivec2(offset), ivec2(0), size - 1), 0);
        float aheadWeight = step(ahead.a, 0.0);
        float behindWeight = step(behind.a, 0.0);
        sum += ahead.rgb * aheadWeight + behind.rgb * behindWeight;
        total += aheadWeight + behindWeight;
    }
    vec3 target = sum / total;
    bool blurred = moved <= kCut && moved * float(size.x) >= 1.0 && frame.a == 0.0;
    fragColor = blurred ? vec4(solveBlend(frame.rgb, target), 1.0) : vec4(0.0);
}
