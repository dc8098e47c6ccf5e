#pragma once

#include <array>
#include <glm/mat4x4.hpp>
#include <glm/vec2.hpp>
#include <glm/vec3.hpp>
#include <string>
#include <vector>

namespace assetgen {

// One triangle corner: 0-based indices into positions, uvs and normals, which
// OBJ keeps apart so a sphere's seam can share positions but not uvs.
struct Corner {
    int position;
    int uv;
    int normal;
};

using Triangle = std::array<Corner, 3>;

// Counter-clockwise triangles seen from the front (outside).
struct Mesh {
    std::vector<glm::vec3> positions;
    std::vector<glm::vec2> uvs; // v = 0 is the top row of the texture image
    std::vector<glm::vec3> normals;
    std::vector<Triangle> triangles;

    // Adds other's data after this mesh's, shifting its indices.
    void append(const Mesh& other);
};

// Moves positions and turns normals with the matrix (which must not shear).
Mesh transformed(Mesh mesh, const glm::mat4& matrix);

// One normal per position, the area-weighted mean of the faces around it.
void smoothNormals(Mesh& mesh);
// One normal per triangle, for hard-edged models.
void flatNormals(Mesh& mesh);

// Wavefront OBJ text: v, vt and vn lines (6 decimals) and "f v/t/n" triangles.
std::string encodeObj(const Mesh& mesh, const std::string& title);

} // namespace assetgen
