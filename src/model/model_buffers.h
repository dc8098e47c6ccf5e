#pragma once

#include "collection/obj_data.h"
#include "platform/gl.h"

#include <glm/glm.hpp>

#include <vector>

namespace model {

// The GL buffers of a model made from one or more shapes with the same
// triangles (a morphing model's series). A corner that repeats another
// exactly, in every shape, is uploaded once and shared through the index
// buffer: a software renderer shades each vertex it is given, so a sphere's
// corners would otherwise be shaded six times over. Data a file lacks (or an
// index past it) comes out as zeros. All buffers are GL_STATIC_DRAW.
struct Mesh {
    GLuint indices = 0;              // GL_ELEMENT_ARRAY_BUFFER, 3 per triangle
    GLuint texCoords = 0;            // 2 floats per vertex, from the first shape
    std::vector<GLuint> positions;   // 3 floats per vertex, one buffer per shape
    std::vector<GLuint> normals;     // likewise
    glm::vec3 centre = glm::vec3(0); // a sphere around every shape's drawn corners
    float radius = 0.0f;
};

// Uploads the first nrFaces triangles of each shape (at least one shape).
Mesh uploadMesh(const std::vector<const ObjData*>& shapes, int nrFaces);

} // namespace model
