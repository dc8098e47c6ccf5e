#pragma once

#include "assets/image.h"

#include <array>
#include <glm/vec3.hpp>
#include <string>

namespace assetgen {

// Model textures: square, tileable, RGB.
Image rustyMetal();   // the cue spheres
Image brushedMetal(); // panelled, brushed steel
struct HullTextures {
    Image colour;
    Image specular; // grey: how strongly each spot reflects highlights
    Image normal;   // tangent space, (n + 1) / 2, green towards the image's top
};
HullTextures hullPlates();
Image stationPanels();
Image asteroidRock();

// Whole-sphere maps (u = longitude, v = 0 at the north pole), RGB.
Image gasGiant();
Image rockyPlanet();
Image moonSurface();
// Ring bands for the annulus: u from the inner to the outer edge, RGBA.
Image ringBands();

// Sprites on transparent black, RGBA.
Image targetMarker();
// 2 x 2 sheet: index 0 fireball (top left), 1 smoke puff (top right),
// 2 spark burst (bottom left), 3 flare glow (bottom right).
Image explosionSheet();

// Cube map faces in the order +X, -X, +Y, -Y, +Z, -Z, oriented as the GL
// samples them; edge texels lie exactly on the cube edges, so neighbouring
// faces repeat the same colours along a shared edge.
std::array<Image, 6> spaceSkybox(int size);

// Direction sampled by texel (x, y) of a cube face of that size.
glm::vec3 cubeFaceDirection(int face, int x, int y, int size);

} // namespace assetgen
