#version 150

// Expands each flare point into a screen-aligned sprite on the line from the
// light's screen position through the screen centre: the first sits on the
// light, the others on the far side of the centre, as reflections inside a
// lens fall.

layout(points) in;
layout(triangle_strip, max_vertices = 4) out;

uniform mat4 mvMat;   // the camera's view
uniform mat4 projMat; // arrives transposed: multiply from the left
uniform vec3 lightPos;

in vec3 pointTint[];
in vec2 pointParams[];

out vec2 spriteUv;
out vec3 spriteTint;
out float spriteAlpha;

// Where along the line from the light (0) to its mirror image (1) each sprite
// sits, how large it is relative to the base size, which cell of the 2 x 2
// sheet it shows (top-left, top-right, bottom-left, bottom-right) and how
// strong it is.
const float kAlong[3] = float[3](0.0, 0.8, 1.2);
const float kScale[3] = float[3](0.55, 0.4, 0.7);
const int kCell[3] = int[3](3, 3, 0);
const float kStrength[3] = float[3](0.7, 0.5, 0.25);

void main() {
    vec4 light = (mvMat * vec4(lightPos, 1.0)) * projMat;
    if (light.w <= 0.0) {
        return; // behind the camera: no light enters the lens
    }
    vec2 onScreen = light.xy / light.w;
    // Fades out as the light leaves the screen.
    float fade = 1.0 - smoothstep(0.9, 1.8, max(abs(onScreen.x), abs(onScreen.y)));
    int index = clamp(int(pointParams[0].x + 0.5), 0, 2);
    if (fade <= 0.0) {
        return;
    }
    vec2 centre = mix(onScreen, -onScreen, kAlong[index]);
    float halfHeight = pointParams[0].y * kScale[index];
    // projMat's diagonal holds f / aspect and f: undo the window's aspect.
    vec2 halfSize = vec2(halfHeight * projMat[0][0] / projMat[1][1], halfHeight);
    vec2 cellOrigin = vec2(float(kCell[index] % 2), float(kCell[index] / 2)) * 0.5;
    for (int corner = 0; corner < 4; ++corner) {
        vec2 unit = vec2(float(corner % 2), float(corner / 2));
        // The sheet's first row is its top: texture t grows downwards.
        spriteUv = cellOrigin + vec2(unit.x, 1.0 - unit.y) * 0.5;
        spriteTint = pointTint[0];
        spriteAlpha = fade * kStrength[index];
        gl_Position = vec4(centre + (unit * 2.0 - 1.0) * halfSize, 0.0, 1.0);
        EmitVertex();
    }
    EndPrimitive();
}
