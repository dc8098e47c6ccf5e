#version 150
// Particle systems. The CPU uploads each system once; every point's place and
// look follow here from the system's age ("updatetime", seconds since it was
// registered), its kind ("type") and the point's own data:
//   1 explosion: bursts out from the emitter along its velocity, slowing,
//     growing and fading within its life (p3 = 2 s); p0 varies size, speed
//     and how long each spark lasts, p2 picks one cell of the m x m sprite
//     sheet.
//   2 cloud: points in a 1000-unit cube, sprite-sheet cell p2.
//   3 background: impostor spheres in a 1000-unit cube wrapped around the
//     camera, so the field never runs out however far the flight goes.
//   4 marker: five target rings circling in on the announced cue; they close
//     on it exactly when its 1.5 s run-up ends.
// The geometry stage expands each point to a camera-facing sprite.

uniform mat4 mvMat;       // the camera's view
uniform mat4 invTransMat; // inverse of the camera's view translation: its place in the world
uniform float updatetime;
uniform float m;
uniform int type;

in vec3 in_Position;
in vec3 in_Velocity;
in vec4 in_Params; // p0, p1, p2, p3

out vec4 pointEye;        // centre in eye space
out float pointHalfSize;  // half the sprite's side, in world units
out vec4 pointColour;     // tint and opacity
out vec4 pointCell;       // xy: the sprite cell's corner in the texture, zw: its size

const float pi = 3.14159265;

// Explosions: the largest speed per axis the CPU draws, and how far that
// speed carries a particle; the burst slows as it spreads.
const float explosionSpeedLimit = 0.01;
const float explosionReach = 2.6;
const float explosionSlowing = 3.0;

// Background: side of the wrapped cube, and where stars fade out before they
// wrap to the far side.
const float fieldSize = 1000.0;
const float starHalfSize = 1.2;

// Markers: the run-up from announcement to cue time, and the ring count.
const float markerRunUp = 1.5;
const float markerCount = 5.0;

// No sprite may cover more than this share of its distance, so near points
// cannot flood the screen (llvmpipe pays for every covered pixel).
const float starMaxShare = 0.005;
const float sparkMaxShare = 0.02;

vec4 wholeTexture() { return vec4(0.0, 0.0, 1.0, 1.0); }

vec4 sheetCell(float cell) {
    float cells = max(m, 1.0);
    float index = floor(cell + 0.5);
    return vec4(mod(index, cells), floor(index / cells), 1.0, 1.0) / cells;
}

void explosion() {
    // Each spark burns out on its own, the small ones (low p0) first, so the
    // burst thins out instead of fading as one block.
    float life = max(in_Params.w * min(1.0, 0.55 + 2.0 * in_Params.x), 0.001);
    float age = clamp(updatetime / life, 0.0, 1.0);
    // Directions fill a ball rather than the cube they were drawn in.
    vec3 direction = in_Velocity / explosionSpeedLimit;
    direction /= max(1.0, length(direction));
    float speed = 0.6 + 2.0 * in_Params.x;
    float travelled = 1.0 - exp(-explosionSlowing * updatetime);
    vec3 world = in_Position + direction * explosionReach * speed * travelled;
    pointEye = mvMat * vec4(world, 1.0);
    pointHalfSize = (0.05 + 0.4 * in_Params.x) * (1.0 + age);
    pointHalfSize = min(pointHalfSize, sparkMaxShare * max(-pointEye.z, 0.0));
    float fade = smoothstep(0.0, 0.04, updatetime) * pow(1.0 - age, 1.5);
    vec3 tint = mix(vec3(1.0, 0.95, 0.8), vec3(1.0, 0.45, 0.2), age);
    pointColour = vec4(tint * 1.4, fade);
    pointCell = sheetCell(in_Params.z);
}

void cloud() {
    pointEye = mvMat * vec4(in_Position, 1.0);
    pointHalfSize = in_Params.y;
    pointColour = vec4(1.0);
    pointCell = sheetCell(in_Params.z);
}

void background() {
    vec3 camera = invTransMat[3].xyz;
    vec3 offset = mod(in_Position - camera + 0.5 * fieldSize, fieldSize) - 0.5 * fieldSize;
    pointEye = mvMat * vec4(camera + offset, 1.0);
    pointHalfSize = min(starHalfSize, starMaxShare * max(-pointEye.z, 0.0));
    float fade = 1.0 - smoothstep(0.35 * fieldSize, 0.5 * fieldSize, length(offset));
    pointColour = vec4(vec3(1.0), fade);
    pointCell = wholeTexture();
}

void marker() {
    float ring = float(gl_VertexID);
    float closing = clamp(updatetime / markerRunUp, 0.0, 1.0);
    float angle = 2.0 * pi * ring / markerCount + 2.5 * updatetime;
    float orbit = mix(2.2, 0.0, closing);
    pointEye = mvMat * vec4(in_Position, 1.0);
    pointEye.xy += orbit * vec2(cos(angle), sin(angle));
    float pulse = 1.0 + 0.12 * sin(12.0 * updatetime + 1.3 * ring);
    pointHalfSize = mix(2.6, 1.8, closing) * pulse;
    // The rings add up where they overlap, more and more as they close in;
    // at full strength each, the five burnt into a white disc that the bloom
    // spread over the cue's neighbours. Sharing the light as they converge
    // lets the closed rings shine as one.
    float overlap = mix(1.0, markerCount, smoothstep(0.5, 1.0, closing));
    float strength = mix(0.25, 0.7, closing) / overlap;
    // p2 (1 to 4) shades the rings apart.
    vec3 tint = mix(vec3(0.7, 1.0, 1.0), vec3(1.0, 0.9, 0.6), (in_Params.z - 1.0) / 3.0);
    pointColour = vec4(tint, strength);
    pointCell = wholeTexture();
}

void main() {
    if (type == 1) {
        explosion();
    } else if (type == 3) {
        background();
    } else if (type == 4) {
        marker();
    } else {
        cloud();
    }
    gl_Position = pointEye;
}
