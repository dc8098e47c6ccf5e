#include "assets/models.h"

#include "assets/noise.h"
#include "assets/shapes.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <glm/geometric.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <numbers>

namespace assetgen {
namespace {

constexpr float twoPi = 2.0f * std::numbers::pi_v<float>;

// The twelve vertex directions of an icosahedron: evenly spread bulges.
std::array<glm::vec3, 12> icosahedronDirections() {
    const float g = (1.0f + std::sqrt(5.0f)) * 0.5f;
    std::array<glm::vec3, 12> d{glm::vec3(-1, g, 0), {1, g, 0}, {-1, -g, 0}, {1, -g, 0},
                                {0, -1, g},          {0, 1, g}, {0, -1, -g}, {0, 1, -g},
                                {g, 0, -1},          {g, 0, 1}, {-g, 0, -1}, {-g, 0, 1}};
    for (glm::vec3& v : d) {
        v = glm::normalize(v);
    }
    return d;
}

// Flat quad in the xy plane facing +z, uv planar with v = 0 at the top (+y).
void addFlatQuad(Mesh& mesh, glm::vec2 a, glm::vec2 b, glm::vec2 c, glm::vec2 d) {
    int first = int(mesh.positions.size());
    for (glm::vec2 p : {a, b, c, d}) {
        mesh.positions.push_back({p, 0.0f});
        mesh.uvs.push_back({0.5f + 0.5f * p.x, 0.5f - 0.5f * p.y});
    }
    auto corner = [&](int i) { return Corner{first + i, first + i, 0}; };
    const glm::vec3 front(0.0f, 0.0f, 1.0f);
    addFacing(mesh, {corner(0), corner(1), corner(2)}, front);
    addFacing(mesh, {corner(0), corner(2), corner(3)}, front);
}

} // namespace

Mesh cueSphere() {
    return uvSphere(32, 24, [](glm::vec3) { return 1.0f; });
}

Mesh cuePulse() {
    static const std::array<glm::vec3, 12> bulges = icosahedronDirections();
    return uvSphere(32, 24, [](glm::vec3 d) {
        float spikes = 0.0f;
        for (glm::vec3 b : bulges) {
            spikes += std::pow(std::max(0.0f, glm::dot(d, b)), 14.0f);
        }
        // A little overall swell so the beat reads even between the bulges.
        return 1.08f + 0.38f * spikes;
    });
}

Mesh debrisCube() {
    return box(glm::vec3(0.5f));
}

Mesh crosshair() {
    Mesh mesh;
    mesh.normals.push_back({0.0f, 0.0f, 1.0f});
    const int segments = 48;
    const float inner = 0.8f, outer = 1.0f;
    for (int s = 0; s < segments; ++s) {
        float a0 = twoPi * float(s) / float(segments), a1 = twoPi * float(s + 1) / float(segments);
        glm::vec2 d0(std::cos(a0), std::sin(a0)), d1(std::cos(a1), std::sin(a1));
        addFlatQuad(mesh, d0 * inner, d0 * outer, d1 * outer, d1 * inner);
    }
    const float halfWidth = 0.05f, tickInner = 0.45f;
    for (int t = 0; t < 4; ++t) {
        float a = twoPi * float(t) / 4.0f;
        glm::vec2 along(std::cos(a), std::sin(a)), across(-along.y, along.x);
        addFlatQuad(mesh, along * tickInner - across * halfWidth,
                    along * inner - across * halfWidth, along * inner + across * halfWidth,
                    along * tickInner + across * halfWidth);
    }
    return mesh;
}

Mesh moonSphere() {
    return uvSphere(48, 32, [](glm::vec3) { return 1.0f; });
}

Mesh screenPlane() {
    Mesh mesh;
    // Frame-buffer textures have their first row at the bottom, so here v
    // follows y: (0, 0) is the lower left of the screen.
    for (glm::vec2 corner :
         {glm::vec2(-1, -1), glm::vec2(1, -1), glm::vec2(1, 1), glm::vec2(-1, 1)}) {
        mesh.positions.push_back(glm::vec3(corner, 0.0f));
        mesh.uvs.push_back(corner * 0.5f + 0.5f);
    }
    mesh.normals.push_back(glm::vec3(0.0f, 0.0f, 1.0f));
    mesh.triangles = {{Corner{0, 0, 0}, Corner{1, 1, 0}, Corner{2, 2, 0}},
                      {Corner{0, 0, 0}, Corner{2, 2, 0}, Corner{3, 3, 0}}};
    return mesh;
}

Mesh planetSphere() {
    return uvSphere(96, 64, [](glm::vec3) { return 1.0f; });
}

Mesh planetRing() {
    return annulus(0.55f, 1.0f, 96, 4.0f);
}

Mesh spaceStation() {
    Mesh mesh = torus(1.0f, 0.11f, 48, 12, 8.0f);
    mesh.append(cylinder(0.22f, -0.22f, 0.22f, 24));
    mesh.append(cylinder(0.08f, -0.55f, 0.55f, 12));
    for (int spoke = 0; spoke < 4; ++spoke) {
        glm::mat4 m = glm::rotate(glm::mat4(1.0f), float(spoke) * twoPi / 4.0f, {0, 1, 0});
        m = glm::rotate(m, std::numbers::pi_v<float> * 0.5f, {0, 0, 1});
        mesh.append(transformed(cylinder(0.035f, 0.18f, 0.92f, 8), m));
    }
    return mesh;
}

Mesh asteroid(uint32_t seed) {
    glm::vec3 stretch(1.0f, 0.72f + 0.1f * float(seed % 3u), 0.85f);
    Mesh mesh = uvSphere(40, 28, [seed, stretch](glm::vec3 d) {
        float lumps = 0.28f * fbm(d * 1.3f, 4, seed) + 0.06f * fbm(d * 5.0f, 3, seed + 7u);
        CellSample crater = cellular(d * 2.6f, seed + 13u);
        float dent = 0.12f * (1.0f - smoothstep(0.0f, 0.45f, crater.nearest));
        return (1.0f + lumps - dent) * glm::length(d * stretch);
    });
    return mesh;
}

} // namespace assetgen
