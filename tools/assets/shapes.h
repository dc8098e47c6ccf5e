#pragma once

#include "assets/mesh.h"

#include <functional>
#include <vector>

namespace assetgen {

// Adds the triangle, swapping two corners if needed so that it winds
// counter-clockwise seen from the side `outward` points to.
void addFacing(Mesh& mesh, Triangle triangle, glm::vec3 outward);

// Sphere around the y axis: `slices` around, `stacks` from the north pole (+y)
// down, one position per ring point (the seam shares positions, not uvs).
// u runs once around (0 at +z, growing towards +x), v from 0 at the north pole
// to 1 at the south pole. Every radius function gives the same index lists, so
// two such spheres can morph into each other. Smooth normals.
Mesh uvSphere(int slices, int stacks, const std::function<float(glm::vec3 direction)>& radius);

// Axis-aligned box centred at the origin with a whole texture on every face.
Mesh box(glm::vec3 halfSize);

// Flat annulus in the xz plane, both sides (two triangle sets, opposite
// winding, normals +y and -y, 0.002 apart). u runs from the inner to the outer edge, v goes
// `vRepeats` times around.
Mesh annulus(float inner, float outer, int segments, float vRepeats);

// Torus around the y axis; u around the big circle (`uRepeats` times), v around the tube.
Mesh torus(float major, float minor, int segments, int sides, float uRepeats);

// Closed cylinder along y from y0 to y1: smooth sides, flat caps.
Mesh cylinder(float radius, float y0, float y1, int segments);

// Skin through rings of equally many points (each ring a convex outline),
// closing both ends with fans. Positions and triangles only: finish with
// boxMapping(), which sets flat normals and uvs.
Mesh loft(const std::vector<std::vector<glm::vec3>>& rings);

// Per-triangle planar uvs along the triangle's dominant axis (`scale` texture
// repeats per unit) and flat normals: a cheap fit for hard-edged hulls.
void boxMapping(Mesh& mesh, float scale);

} // namespace assetgen
