#version 150
// Flat shapes: the black occluders (and the white moon) of the light-shaft
// pass in the world's perspective, and the crosshair under the overlay's
// orthographic projection.

uniform mat4 mvMat;
uniform mat4 projMat;
uniform int interpolate;
uniform float dt;

in vec3 in_Position;
in vec3 in_Position_Target;

// 1 under the overlay projection, 0 in the world.
flat out int overlay;

// Keeps the depth buffer's far end from ever being reached exactly.
const float depthEpsilon = 1.0e-6;

// Transposed back and given an infinite far plane, as in "light": the game's
// near 1 / far 3 perspective would leave only the nearest three units.
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
    if (interpolate == 1) {
        position = mix(in_Position, in_Position_Target, dt);
    }
    mat4 p = projection();
    overlay = p[2][3] < -0.5 ? 0 : 1;
    gl_Position = p * mvMat * vec4(position, 1.0);
}
