#pragma once

#include "assets/mesh.h"

#include <cstdint>

namespace assetgen {

// The cue: a unit sphere, and its pulsed shape with the same vertices and
// faces in the same order (the game morphs between the two on every beat).
Mesh cueSphere();
Mesh cuePulse();

Mesh debrisCube();   // 12 triangles, side 1
Mesh crosshair();    // flat ring with four inward ticks in the xy plane, radius 1, facing +z
Mesh moonSphere();   // unit sphere
Mesh screenPlane();  // x, y in [-1, 1] at z = 0 facing +z, uv = (x, y) mapped to 0..1
Mesh planetSphere(); // high-resolution unit sphere
Mesh planetRing();   // annulus from 0.55 to 1 in the xz plane, seen from both sides
Mesh spaceStation(); // torus, hub and spokes, about 2 across
Mesh spaceship();    // low-poly fighter, nose towards -z, about 2 long
Mesh asteroid(uint32_t seed);

} // namespace assetgen
