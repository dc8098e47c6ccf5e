#include "assets/mesh.h"

#include <cmath>
#include <cstdio>
#include <glm/geometric.hpp>
#include <glm/matrix.hpp>

namespace assetgen {
namespace {

glm::vec3 faceArea(const Mesh& mesh, const Triangle& t) {
    glm::vec3 a = mesh.positions[size_t(t[0].position)];
    glm::vec3 b = mesh.positions[size_t(t[1].position)];
    glm::vec3 c = mesh.positions[size_t(t[2].position)];
    return glm::cross(b - a, c - a);
}

// Keeps "-0.000000" out of the files: same value, tidier text.
float tidy(float value) {
    return std::fabs(value) < 5e-7f ? 0.0f : value;
}

void appendLine(std::string& out, const char* format, float a, float b, float c) {
    char line[96];
    std::snprintf(line, sizeof line, format, double(tidy(a)), double(tidy(b)), double(tidy(c)));
    out += line;
}

} // namespace

void Mesh::append(const Mesh& other) {
    int p = int(positions.size()), u = int(uvs.size()), n = int(normals.size());
    positions.insert(positions.end(), other.positions.begin(), other.positions.end());
    uvs.insert(uvs.end(), other.uvs.begin(), other.uvs.end());
    normals.insert(normals.end(), other.normals.begin(), other.normals.end());
    for (Triangle t : other.triangles) {
        for (Corner& c : t) {
            c = {c.position + p, c.uv + u, c.normal + n};
        }
        triangles.push_back(t);
    }
}

Mesh transformed(Mesh mesh, const glm::mat4& matrix) {
    glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(matrix)));
    for (glm::vec3& p : mesh.positions) {
        p = glm::vec3(matrix * glm::vec4(p, 1.0f));
    }
    for (glm::vec3& n : mesh.normals) {
        n = glm::normalize(normalMatrix * n);
    }
    return mesh;
}

void smoothNormals(Mesh& mesh) {
    mesh.normals.assign(mesh.positions.size(), glm::vec3(0.0f));
    for (Triangle& t : mesh.triangles) {
        glm::vec3 area = faceArea(mesh, t);
        for (Corner& c : t) {
            mesh.normals[size_t(c.position)] += area;
            c.normal = c.position;
        }
    }
    for (glm::vec3& n : mesh.normals) {
        float length = glm::length(n);
        n = length > 0.0f ? n / length : glm::vec3(0.0f, 1.0f, 0.0f);
    }
}

void flatNormals(Mesh& mesh) {
    mesh.normals.clear();
    for (Triangle& t : mesh.triangles) {
        int index = int(mesh.normals.size());
        mesh.normals.push_back(glm::normalize(faceArea(mesh, t)));
        for (Corner& c : t) {
            c.normal = index;
        }
    }
}

std::string encodeObj(const Mesh& mesh, const std::string& title) {
    char header[64];
    std::snprintf(header, sizeof header, "# %zu vertices, %zu triangles\n", mesh.positions.size(),
                  mesh.triangles.size());
    std::string out = "# ";
    out.append(title).append("\n").append(header);
    for (glm::vec3 p : mesh.positions) {
        appendLine(out, "v %.6f %.6f %.6f\n", p.x, p.y, p.z);
    }
    for (glm::vec2 t : mesh.uvs) {
        char line[64];
        std::snprintf(line, sizeof line, "vt %.6f %.6f\n", double(tidy(t.x)), double(tidy(t.y)));
        out += line;
    }
    for (glm::vec3 n : mesh.normals) {
        appendLine(out, "vn %.6f %.6f %.6f\n", n.x, n.y, n.z);
    }
    for (const Triangle& t : mesh.triangles) {
        char line[128];
        std::snprintf(line, sizeof line, "f %d/%d/%d %d/%d/%d %d/%d/%d\n", t[0].position + 1,
                      t[0].uv + 1, t[0].normal + 1, t[1].position + 1, t[1].uv + 1, t[1].normal + 1,
                      t[2].position + 1, t[2].uv + 1, t[2].normal + 1);
        out += line;
    }
    return out;
}

} // namespace assetgen
