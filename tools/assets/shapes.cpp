#include "assets/shapes.h"

#include <cmath>
#include <glm/geometric.hpp>
#include <numbers>

namespace assetgen {
namespace {

constexpr float twoPi = 2.0f * std::numbers::pi_v<float>;

glm::vec3 centreOf(const std::vector<glm::vec3>& ring) {
    glm::vec3 sum(0.0f);
    for (glm::vec3 p : ring) {
        sum += p;
    }
    return sum / float(ring.size());
}

bool degenerate(const Mesh& mesh, const Triangle& t) {
    glm::vec3 a = mesh.positions[size_t(t[0].position)];
    glm::vec3 b = mesh.positions[size_t(t[1].position)];
    glm::vec3 c = mesh.positions[size_t(t[2].position)];
    return glm::length(glm::cross(b - a, c - a)) < 1e-9f;
}

int addPosition(Mesh& mesh, glm::vec3 p) {
    mesh.positions.push_back(p);
    return int(mesh.positions.size()) - 1;
}

} // namespace

void addFacing(Mesh& mesh, Triangle triangle, glm::vec3 outward) {
    glm::vec3 a = mesh.positions[size_t(triangle[0].position)];
    glm::vec3 b = mesh.positions[size_t(triangle[1].position)];
    glm::vec3 c = mesh.positions[size_t(triangle[2].position)];
    if (glm::dot(glm::cross(b - a, c - a), outward) < 0.0f) {
        std::swap(triangle[1], triangle[2]);
    }
    mesh.triangles.push_back(triangle);
}

Mesh uvSphere(int slices, int stacks, const std::function<float(glm::vec3 direction)>& radius) {
    Mesh mesh;
    auto direction = [&](int stack, int slice) {
        float polar = std::numbers::pi_v<float> * float(stack) / float(stacks);
        float around = twoPi * float(slice) / float(slices);
        return glm::vec3(std::sin(polar) * std::sin(around), std::cos(polar),
                         std::sin(polar) * std::cos(around));
    };
    auto positionIndex = [&](int stack, int slice) {
        if (stack == 0) {
            return 0;
        }
        if (stack == stacks) {
            return 1 + (stacks - 1) * slices;
        }
        return 1 + (stack - 1) * slices + slice % slices;
    };
    mesh.positions.push_back(glm::vec3(0.0f, radius({0.0f, 1.0f, 0.0f}), 0.0f));
    for (int stack = 1; stack < stacks; ++stack) {
        for (int slice = 0; slice < slices; ++slice) {
            glm::vec3 d = direction(stack, slice);
            mesh.positions.push_back(d * radius(d));
        }
    }
    mesh.positions.push_back(glm::vec3(0.0f, -radius({0.0f, -1.0f, 0.0f}), 0.0f));
    for (int stack = 0; stack <= stacks; ++stack) {
        for (int slice = 0; slice <= slices; ++slice) {
            mesh.uvs.push_back({float(slice) / float(slices), float(stack) / float(stacks)});
        }
    }
    auto corner = [&](int stack, int slice) {
        return Corner{positionIndex(stack, slice), stack * (slices + 1) + slice, 0};
    };
    for (int stack = 0; stack < stacks; ++stack) {
        for (int slice = 0; slice < slices; ++slice) {
            Corner a = corner(stack, slice), b = corner(stack + 1, slice);
            Corner c = corner(stack + 1, slice + 1), d = corner(stack, slice + 1);
            glm::vec3 out = direction(stack, slice) + direction(stack + 1, slice + 1);
            if (stack != stacks - 1) {
                addFacing(mesh, {a, b, c}, out);
            }
            if (stack != 0) {
                addFacing(mesh, {a, c, d}, out);
            }
        }
    }
    smoothNormals(mesh);
    return mesh;
}

Mesh box(glm::vec3 halfSize) {
    Mesh mesh;
    mesh.uvs = {{0.0f, 1.0f}, {1.0f, 1.0f}, {1.0f, 0.0f}, {0.0f, 0.0f}};
    for (int axis = 0; axis < 3; ++axis) {
        for (float sign : {1.0f, -1.0f}) {
            glm::vec3 normal(0.0f), right(0.0f), up(0.0f);
            normal[axis] = sign;
            right[(axis + 1) % 3] = 1.0f;
            up[(axis + 2) % 3] = 1.0f;
            int n = int(mesh.normals.size());
            mesh.normals.push_back(normal);
            int first = int(mesh.positions.size());
            for (glm::vec2 q :
                 {glm::vec2(-1, -1), glm::vec2(1, -1), glm::vec2(1, 1), glm::vec2(-1, 1)}) {
                addPosition(mesh, (normal + right * q.x + up * q.y) * halfSize);
            }
            Corner c[4];
            for (int i = 0; i < 4; ++i) {
                c[i] = {first + i, i, n};
            }
            addFacing(mesh, {c[0], c[1], c[2]}, normal);
            addFacing(mesh, {c[0], c[2], c[3]}, normal);
        }
    }
    return mesh;
}

Mesh annulus(float inner, float outer, int segments, float vRepeats) {
    Mesh mesh;
    mesh.normals = {{0.0f, 1.0f, 0.0f}, {0.0f, -1.0f, 0.0f}};
    for (int s = 0; s <= segments; ++s) {
        float a = twoPi * float(s) / float(segments);
        glm::vec3 dir(std::cos(a), 0.0f, -std::sin(a));
        addPosition(mesh, dir * inner);
        addPosition(mesh, dir * outer);
        float v = vRepeats * float(s) / float(segments);
        mesh.uvs.push_back({0.0f, v});
        mesh.uvs.push_back({1.0f, v});
    }
    // The two sides lie a hair apart along their normals, so that without
    // back-face culling the side facing the camera still wins the depth test.
    const float gap = 0.001f;
    int sidePositions = int(mesh.positions.size());
    for (int k = 0; k < sidePositions; ++k) {
        mesh.positions.push_back(mesh.positions[size_t(k)] - glm::vec3(0.0f, gap, 0.0f));
        mesh.positions[size_t(k)].y += gap;
    }
    for (int side = 0; side < 2; ++side) {
        glm::vec3 facing = mesh.normals[size_t(side)];
        for (int s = 0; s < segments; ++s) {
            int i = 2 * s;
            auto c = [&](int k) { return Corner{k + side * sidePositions, k, side}; };
            addFacing(mesh, {c(i), c(i + 1), c(i + 3)}, facing);
            addFacing(mesh, {c(i), c(i + 3), c(i + 2)}, facing);
        }
    }
    return mesh;
}

Mesh torus(float major, float minor, int segments, int sides, float uRepeats) {
    Mesh mesh;
    for (int s = 0; s <= segments; ++s) {
        float a = twoPi * float(s) / float(segments);
        glm::vec3 radial(std::cos(a), 0.0f, std::sin(a));
        for (int k = 0; k <= sides; ++k) {
            float b = twoPi * float(k) / float(sides);
            glm::vec3 normal = radial * std::cos(b) + glm::vec3(0.0f, std::sin(b), 0.0f);
            addPosition(mesh, radial * major + normal * minor);
            mesh.normals.push_back(normal);
            mesh.uvs.push_back({uRepeats * float(s) / float(segments), float(k) / float(sides)});
        }
    }
    for (int s = 0; s < segments; ++s) {
        for (int k = 0; k < sides; ++k) {
            auto c = [&](int ss, int kk) {
                int i = ss * (sides + 1) + kk;
                return Corner{i, i, i};
            };
            glm::vec3 out =
                mesh.normals[size_t(c(s, k).normal)] + mesh.normals[size_t(c(s + 1, k + 1).normal)];
            addFacing(mesh, {c(s, k), c(s + 1, k), c(s + 1, k + 1)}, out);
            addFacing(mesh, {c(s, k), c(s + 1, k + 1), c(s, k + 1)}, out);
        }
    }
    return mesh;
}

Mesh cylinder(float radius, float y0, float y1, int segments) {
    Mesh mesh;
    for (int s = 0; s <= segments; ++s) {
        float a = twoPi * float(s) / float(segments);
        glm::vec3 radial(std::sin(a), 0.0f, std::cos(a));
        addPosition(mesh, radial * radius + glm::vec3(0.0f, y1, 0.0f));
        addPosition(mesh, radial * radius + glm::vec3(0.0f, y0, 0.0f));
        mesh.normals.push_back(radial);
        mesh.uvs.push_back({float(s) / float(segments), 0.0f});
        mesh.uvs.push_back({float(s) / float(segments), 1.0f});
    }
    for (int s = 0; s < segments; ++s) {
        Corner top0{2 * s, 2 * s, s}, bottom0{2 * s + 1, 2 * s + 1, s};
        Corner top1{2 * s + 2, 2 * s + 2, s + 1}, bottom1{2 * s + 3, 2 * s + 3, s + 1};
        glm::vec3 out = mesh.normals[size_t(s)] + mesh.normals[size_t(s + 1)];
        addFacing(mesh, {top0, bottom0, bottom1}, out);
        addFacing(mesh, {top0, bottom1, top1}, out);
    }
    for (float y : {y0, y1}) {
        glm::vec3 facing(0.0f, y == y1 ? 1.0f : -1.0f, 0.0f);
        int n = int(mesh.normals.size());
        mesh.normals.push_back(facing);
        int centre = addPosition(mesh, {0.0f, y, 0.0f});
        int centreUv = int(mesh.uvs.size());
        mesh.uvs.push_back({0.5f, 0.5f});
        int rim = int(mesh.positions.size());
        for (int s = 0; s <= segments; ++s) {
            float a = twoPi * float(s) / float(segments);
            addPosition(mesh, {std::sin(a) * radius, y, std::cos(a) * radius});
            mesh.uvs.push_back({0.5f + 0.5f * std::sin(a), 0.5f - 0.5f * std::cos(a)});
        }
        int rimUv = centreUv + 1;
        for (int s = 0; s < segments; ++s) {
            addFacing(mesh,
                      {Corner{centre, centreUv, n}, Corner{rim + s, rimUv + s, n},
                       Corner{rim + s + 1, rimUv + s + 1, n}},
                      facing);
        }
    }
    return mesh;
}

Mesh loft(const std::vector<std::vector<glm::vec3>>& rings) {
    Mesh mesh;
    std::vector<glm::vec3> centres;
    for (const auto& ring : rings) {
        centres.push_back(centreOf(ring));
        mesh.positions.insert(mesh.positions.end(), ring.begin(), ring.end());
    }
    int count = int(rings.front().size());
    auto add = [&](int a, int b, int c, glm::vec3 inside) {
        Triangle t{Corner{a, 0, 0}, Corner{b, 0, 0}, Corner{c, 0, 0}};
        if (degenerate(mesh, t)) {
            return;
        }
        glm::vec3 middle =
            (mesh.positions[size_t(a)] + mesh.positions[size_t(b)] + mesh.positions[size_t(c)]) /
            3.0f;
        addFacing(mesh, t, middle - inside);
    };
    for (size_t r = 0; r + 1 < rings.size(); ++r) {
        int base = int(r) * count, next = base + count;
        glm::vec3 inside = (centres[r] + centres[r + 1]) * 0.5f;
        for (int i = 0; i < count; ++i) {
            int j = (i + 1) % count;
            add(base + i, next + i, next + j, inside);
            add(base + i, next + j, base + j, inside);
        }
    }
    for (size_t end : {size_t(0), rings.size() - 1}) {
        size_t neighbour = end == 0 ? 1 : end - 1;
        int centre = addPosition(mesh, centres[end]);
        int base = int(end) * count;
        for (int i = 0; i < count; ++i) {
            add(centre, base + i, base + (i + 1) % count, centres[neighbour]);
        }
    }
    return mesh;
}

void boxMapping(Mesh& mesh, float scale) {
    flatNormals(mesh);
    mesh.uvs.clear();
    for (Triangle& t : mesh.triangles) {
        glm::vec3 n = glm::abs(mesh.normals[size_t(t[0].normal)]);
        for (Corner& c : t) {
            glm::vec3 p = mesh.positions[size_t(c.position)] * scale;
            glm::vec2 uv = n.y >= n.x && n.y >= n.z ? glm::vec2(p.x, p.z)
                           : n.x >= n.z             ? glm::vec2(p.z, -p.y)
                                                    : glm::vec2(p.x, -p.y);
            c.uv = int(mesh.uvs.size());
            mesh.uvs.push_back(uv);
        }
    }
}

} // namespace assetgen
