#version 150

// Camera motion blur. Each pixel's world position is rebuilt from the depth
// of the occlusion pass, projected with the previous frame's view, and the
// picture is averaged along the way the pixel moved since then.
//
// The blend (source colour, one minus source colour) gives
// s*s + d*(1-s) for output s over the frame d. The output is solved from
// that for the blurred colour, so the frame becomes the blurred colour
// wherever the blend can reach it, and a pixel that did not move outputs 0,
// which leaves it exactly as it was.

uniform sampler2D fboTex0; // this frame's picture
uniform sampler2D fboTex1; // depth of the occlusion pass, half size
uniform mat4 projMat;      // arrives transposed: multiply from the left
uniform mat4 invProjMat;   // arrives transposed as well
uniform mat4 invViewMat;
uniform mat4 viewMatOld;   // the view of the previous blurred frame

in vec2 screenUv;

out vec4 fragColor;

const int kSamples = 6;
// The longest smear, in screen widths; a longer motion is cut short.
const float kMaxBlur = 0.04;
// A jump this large is a camera cut (or the first blurred frame), not motion.
const float kCut = 0.5;
// The world shaders' depth: an infinite far plane at the projection's near
// distance, window depth 1 - epsilon at infinity.
const float kDepthEpsilon = 1.0e-6;

// Where this pixel was one frame ago, in normalised device coordinates.
// Homogeneous all the way, so the background at infinite depth (w = 0)
// moves with the camera's turn alone.
vec2 previousPosition(vec2 ndc, float depth) {
    vec4 nearPoint = vec4(ndc, -1.0, 1.0) * invProjMat;
    vec3 ray = nearPoint.xyz / nearPoint.w; // eye space, on the near plane
    float ndcDepth = depth * 2.0 - 1.0;
    // near / distance, from the infinite-far depth mapping.
    float nearOverDistance = max(1.0 - kDepthEpsilon - ndcDepth, 0.0) / (2.0 - kDepthEpsilon);
    vec4 world = invViewMat * vec4(ray, nearOverDistance);
    vec4 clip = (viewMatOld * world) * projMat;
    if (clip.w <= 0.0) {
        return ndc; // behind the old camera: no sensible motion
    }
    return clip.xy / clip.w;
}

float solveBlend(float frame, float target) {
    float discriminant = frame * frame - 4.0 * (frame - target);
    if (discriminant < 0.0) {
        return frame * 0.5; // as dark as the blend can make it
    }
    float root = sqrt(discriminant);
    return target >= frame ? (frame + root) * 0.5 : (frame - root) * 0.5;
}

void main() {
    vec2 ndc = screenUv * 2.0 - 1.0;
    vec2 motion = (ndc - previousPosition(ndc, texture(fboTex1, screenUv).r)) * 0.5;
    float moved = length(motion);
    vec2 size = vec2(textureSize(fboTex0, 0));
    vec2 pixel = 1.0 / size;
    bool blurred = moved <= kCut && moved >= pixel.x;
    motion *= min(1.0, kMaxBlur / max(moved, 1.0e-6));
    // Software renderers run a loop as long as any pixel of a block needs it:
    // still pixels ask for no samples.
    int samples = blurred ? kSamples : 0;
    vec3 sum = vec3(0.0);
    for (int i = 0; i < samples; ++i) {
        float t = float(i) / float(kSamples - 1) - 0.5;
        // Plain texel reads: the picture is read at its own size anyway.
        vec2 at = clamp((screenUv - motion * t) * size, vec2(0.0), size - 1.0);
        sum += texelFetch(fboTex0, ivec2(at), 0).rgb;
    }
    vec3 frame = texture(fboTex0, screenUv).rgb;
    vec3 target = sum / float(kSamples);
    // Output 0 leaves a pixel exactly as it was.
    fragColor = blurred ? vec4(solveBlend(frame.r, target.r), solveBlend(frame.g, target.g),
                               solveBlend(frame.b, target.b), 1.0)
                        : vec4(0.0);
}
