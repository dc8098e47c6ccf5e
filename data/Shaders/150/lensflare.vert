#version 150

// One point per flare sprite; the geometry stage places and sizes it.

in vec3 in_Position; // -1, 0 or +1 on every axis: shifts each sprite's tint
in vec2 in_Params;   // x: the sprite's index along the flare line, y: its base size

out vec3 pointTint;
out vec2 pointParams;

void main() {
    pointTint = vec3(1.0) + vec3(0.25, -0.05, -0.3) * in_Position;
    pointParams = in_Params;
    gl_Position = vec4(in_Position, 1.0);
}
