#version 150
// Per-pixel lighting of the world's models: hands eye-space position, normal
// and light positions to the fragment stage. A morphing model blends its two
// shapes by dt first, so lighting and picking see the same surface.

uniform mat4 mvMat;
uniform mat4 vMat;
uniform mat4 projMat;
uniform int interpolate;
uniform float dt;
uniform vec3 ld, ld2, ld3, ld4, ld5;

in vec3 in_Position;
in vec3 in_Normal;
in vec2 in_TexCoord;
in vec3 in_Position_Target;
in vec3 in_Normal_Target;

out vec3 eyePosition;
out vec3 eyeNormal;
out vec2 texCoord;
out vec3 eyeLight[5];

// Keeps the depth buffer's far end from ever being reached exactly.
const float depthEpsilon = 1.0e-6;

// projMat arrives with the transpose flag set, so it is transposed back here.
// The game builds its perspective with near 1 and far 3, which would clip
// everything more than three units away; the level is thousands of units deep.
// The x/y terms (field of view and aspect ratio) are kept and the depth terms
// are replaced by an infinite far plane at the same near distance, which also
// spreads the 24-bit depth buffer evenly enough over the whole level. An
// orthographic matrix (the overlays) is used as it is.
mat4 projection() {
    mat4 p = transpose(projMat);
    if (p[2][3] < -0.5) {
        float near = p[3][2] / (p[2][2] - 1.0);
        p[2][2] = depthEpsilon - 1.0;
        p[3][2] = (depthEpsilon - 2.0) * near;
    }
    return p;
}

void main() {
    vec3 position = in_Position;
    vec3 normal = in_Normal;
    if (interpolate == 1) {
        position = mix(in_Position, in_Position_Target, dt);
        normal = mix(in_Normal, in_Normal_Target, dt);
    }
    vec4 eye = mvMat * vec4(position, 1.0);
    eyePosition = eye.xyz;
    eyeNormal = mat3(mvMat) * normal;
    texCoord = in_TexCoord;
    eyeLight[0] = (vMat * vec4(ld, 1.0)).xyz;
    eyeLight[1] = (vMat * vec4(ld2, 1.0)).xyz;
    eyeLight[2] = (vMat * vec4(ld3, 1.0)).xyz;
    eyeLight[3] = (vMat * vec4(ld4, 1.0)).xyz;
    eyeLight[4] = (vMat * vec4(ld5, 1.0)).xyz;
    gl_Position = projection() * eye;
}
