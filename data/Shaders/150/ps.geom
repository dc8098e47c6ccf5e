#version 150
// Expands each particle point to a square sprite facing the camera: the
// corners are spread in eye space, so a sprite's size is in world units and
// shrinks with distance.

layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

uniform mat4 projMat; // arrives with the transpose flag set

in vec4 pointEye[];
in float pointHalfSize[];
in vec4 pointColour[];
in vec4 pointCell[];

out vec2 spriteUv;
out vec4 spriteColour;

// Points this close or behind the camera are left out: their sprite would
// reach behind the eye.
const float nearest = 1.0;
// Keeps the depth buffer's far end from ever being reached exactly.
const float depthEpsilon = 1.0e-6;

// The game builds its perspective with near 1 and far 3, which would clip
// every particle more than three units away. As for the world's models, the
// field of view and aspect ratio are kept and the depth terms become an
// infinite far plane, so particles and models share one depth scale.
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
    if (pointColour[0].a <= 0.0 || pointEye[0].z > -nearest || pointHalfSize[0] <= 0.0) {
        return;
    }
    mat4 p = projection();
    for (int corner = 0; corner < 4; ++corner) {
        vec2 unit = vec2(float(corner % 2), float(corner / 2));
        vec4 eye = pointEye[0] + vec4((unit * 2.0 - 1.0) * pointHalfSize[0], 0.0, 0.0);
        gl_Position = p * eye;
        // The sprite's first row is its top: texture t grows downwards.
        spriteUv = pointCell[0].xy + vec2(unit.x, 1.0 - unit.y) * pointCell[0].zw;
        spriteColour = pointColour[0];
        EmitVertex();
    }
    EndPrimitive();
}
