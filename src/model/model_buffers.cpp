#include "model/model_buffers.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <unordered_map>

namespace model {
namespace {

using IndexTriple = int (Face::*)[3];

// Appends width floats of source at the corner's index, or zeros.
void appendCorner(std::vector<float>& out, const std::vector<float>& source, int width,
                  const Face& face, IndexTriple indices, int corner) {
    const auto index = static_cast<std::size_t>((face.*indices)[corner]);
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(width), 0.0f);
    if (index < source.size() / static_cast<std::size_t>(width)) {
        std::copy_n(source.data() + index * static_cast<std::size_t>(width), width,
                    out.data() + at);
    }
}

// Everything one corner carries, in every shape: the key that tells two
// corners apart.
std::vector<float> cornerRecord(const std::vector<const ObjData*>& shapes, int face, int corner) {
    std::vector<float> record;
    for (const ObjData* shape : shapes) {
        const Face& f = shape->faces[static_cast<std::size_t>(face)];
        appendCorner(record, shape->vertices, 3, f, &Face::vertexIndices, corner);
        appendCorner(record, shape->normals, 3, f, &Face::normalIndices, corner);
    }
    const ObjData& first = *shapes.front();
    appendCorner(record, first.texCoords, 2, first.faces[static_cast<std::size_t>(face)],
                 &Face::texCoordIndices, corner);
    return record;
}

template <typename T> GLuint upload(GLenum target, const std::vector<T>& values) {
    GLuint buffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(target, buffer);
    glBufferData(target, static_cast<GLsizeiptr>(values.size() * sizeof(T)), values.data(),
                 GL_STATIC_DRAW);
    return buffer;
}

// The vertices of a mesh, one array per attribute and shape.
struct Vertices {
    std::vector<std::vector<float>> positions;
    std::vector<std::vector<float>> normals;
    std::vector<float> texCoords;
    std::vector<GLuint> indices;

    // Splits a corner record into the arrays.
    void add(const std::vector<float>& record) {
        const float* at = record.data();
        for (std::size_t shape = 0; shape < positions.size(); ++shape, at += 6) {
            positions[shape].insert(positions[shape].end(), at, at + 3);
            normals[shape].insert(normals[shape].end(), at + 3, at + 6);
        }
        texCoords.insert(texCoords.end(), at, at + 2);
    }
};

void enclose(Mesh& mesh, const Vertices& vertices) {
    glm::vec3 low(0.0f);
    glm::vec3 high(0.0f);
    bool first = true;
    for (const std::vector<float>& shape : vertices.positions) {
        for (std::size_t i = 0; i + 2 < shape.size(); i += 3) {
            const glm::vec3 p(shape[i], shape[i + 1], shape[i + 2]);
            low = first ? p : glm::min(low, p);
            high = first ? p : glm::max(high, p);
            first = false;
        }
    }
    mesh.centre = (low + high) * 0.5f;
    mesh.radius = glm::length(high - low) * 0.5f;
}

} // namespace

Mesh uploadMesh(const std::vector<const ObjData*>& shapes, int nrFaces) {
    Vertices vertices;
    vertices.positions.resize(shapes.size());
    vertices.normals.resize(shapes.size());
    std::unordered_map<std::string, GLuint> seen;
    for (int face = 0; face < nrFaces; ++face) {
        for (int corner = 0; corner < 3; ++corner) {
            const std::vector<float> record = cornerRecord(shapes, face, corner);
            // Compared bit for bit: a shared vertex gives exactly what the
            // corner it replaces gave.
            std::string key(record.size() * sizeof(float), '\0');
            std::memcpy(key.data(), record.data(), key.size());
            const auto [entry, added] =
                seen.try_emplace(std::move(key), static_cast<GLuint>(seen.size()));
            if (added) {
                vertices.add(record);
            }
            vertices.indices.push_back(entry->second);
        }
    }
    Mesh mesh;
    for (std::size_t shape = 0; shape < shapes.size(); ++shape) {
        mesh.positions.push_back(upload(GL_ARRAY_BUFFER, vertices.positions[shape]));
        mesh.normals.push_back(upload(GL_ARRAY_BUFFER, vertices.normals[shape]));
    }
    mesh.texCoords = upload(GL_ARRAY_BUFFER, vertices.texCoords);
    mesh.indices = upload(GL_ELEMENT_ARRAY_BUFFER, vertices.indices);
    enclose(mesh, vertices);
    return mesh;
}

} // namespace model
