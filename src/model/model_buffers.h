#pragma once

#include "collection/obj_data.h"
#include "platform/gl.h"

namespace model {

// Uploads of one record, one entry per triangle corner in face order, so no
// vertex is shared between triangles. Data a file lacks (or an index past it)
// comes out as zeros. All buffers are GL_STATIC_DRAW.

// 3 floats per corner into a new GL_ARRAY_BUFFER.
GLuint uploadPositions(const ObjData& data);
GLuint uploadNormals(const ObjData& data);
// 2 floats per corner.
GLuint uploadTexCoords(const ObjData& data);
// The ints 0, 1, 2, ... 3 * nrFaces - 1 into a new GL_ELEMENT_ARRAY_BUFFER.
GLuint uploadIndices(int nrFaces);

} // namespace model
