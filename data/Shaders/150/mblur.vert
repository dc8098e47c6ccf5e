#version 150

// The effect plane's corners are the screen's corners, so its positions are
// taken as clip coordinates and the camera matrices of the scene walk are
// ignored. It sits on the near plane: the depth test then never hides it
// behind what the scene already drew into the target.
//
// The reprojection into the previous frame is worked out here, once per
// corner instead of once per pixel: a pixel's world position is its point on
// the near plane scaled by its depth, and both the near-plane point and the
// chain of matrices are linear across the screen, so the old clip position
// of a pixel is previousClip + depthTerm * previousClipPerDepth with the two
// vectors below, the first interpolated exactly, the second the same for
// every pixel.

uniform mat4 projMat;    // arrives transposed: multiply from the left
uniform mat4 invProjMat; // arrives transposed as well
uniform mat4 invViewMat;
uniform mat4 viewMatOld; // the view of the previous blurred frame

in vec3 in_Position;

out vec2 screenUv; // 0..1 across the target, v up like the frame-buffer textures
// The old clip position of this pixel's near-plane point seen as a direction
// (no depth yet), and what each unit of the depth term adds to it.
out vec4 previousClip;
flat out vec4 previousClipPerDepth;

void main() {
    vec2 ndc = in_Position.xy;
    screenUv = ndc * 0.5 + 0.5;
    vec4 nearPoint = vec4(ndc, -1.0, 1.0) * invProjMat;
    vec3 ray = nearPoint.xyz / nearPoint.w; // eye space, on the near plane
    mat4 toPreviousClip = transpose(projMat) * viewMatOld * invViewMat;
    previousClip = toPreviousClip * vec4(ray, 0.0);
    previousClipPerDepth = toPreviousClip[3];
    gl_Position = vec4(ndc, -1.0, 1.0);
}
