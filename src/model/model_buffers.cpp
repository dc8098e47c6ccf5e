#include "model/model_buffers.h"

#include <algorithm>
#include <numeric>
#include <vector>

namespace model {
namespace {

using IndexTriple = int (Face::*)[3];

// Copies width floats per corner from source, picked by the corner's index.
std::vector<float> deindex(const ObjData& data, const std::vector<float>& source, int width,
                           IndexTriple indices) {
    std::vector<float> corners(static_cast<std::size_t>(data.nrFaces) * 3 * width, 0.0f);
    const std::size_t available = source.size() / width;
    float* out = corners.data();
    for (int face = 0; face < data.nrFaces; ++face) {
        for (int corner = 0; corner < 3; ++corner, out += width) {
            const auto index = static_cast<std::size_t>((data.faces[face].*indices)[corner]);
            if (index < available) {
                std::copy_n(source.data() + index * width, width, out);
            }
        }
    }
    return corners;
}

template <typename T> GLuint upload(GLenum target, const std::vector<T>& values) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(target, buffer);
    glBufferData(target, static_cast<GLsizeiptr>(values.size() * sizeof(T)), values.data(),
                 GL_STATIC_DRAW);
    return buffer;
}

} // namespace

GLuint uploadPositions(const ObjData& data) {
    return upload(GL_ARRAY_BUFFER, deindex(data, data.vertices, 3, &Face::vertexIndices));
}

GLuint uploadNormals(const ObjData& data) {
    return upload(GL_ARRAY_BUFFER, deindex(data, data.normals, 3, &Face::normalIndices));
}

GLuint uploadTexCoords(const ObjData& data) {
    return upload(GL_ARRAY_BUFFER, deindex(data, data.texCoords, 2, &Face::texCoordIndices));
}

GLuint uploadIndices(int nrFaces) {
    std::vector<GLuint> indices(static_cast<std::size_t>(nrFaces) * 3);
    std::iota(indices.begin(), indices.end(), 0u);
    return upload(GL_ELEMENT_ARRAY_BUFFER, indices);
}

} // namespace model
