#include "assets/models.h"
#include "assets/shapes.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace assetgen {
namespace {

using Ring = std::vector<glm::vec3>;

// Hexagonal cross-section across z: flat belly, ridged back.
Ring hexSection(float z, float halfWidth, float height, float yCentre) {
    const float corners[6][2] = {{1.0f, 0.0f},  {0.55f, 0.8f},  {-0.55f, 0.8f},
                                 {-1.0f, 0.0f}, {-0.6f, -0.6f}, {0.6f, -0.6f}};
    Ring ring;
    for (const auto& c : corners) {
        ring.push_back({c[0] * halfWidth, yCentre + c[1] * height, z});
    }
    return ring;
}

// Wing outline across x: a thin diamond from leading to trailing edge.
Ring wingSection(float x, float zFront, float zBack, float y, float thickness) {
    float zMid = zFront + (zBack - zFront) * 0.4f;
    return {{x, y, zFront}, {x, y + thickness, zMid}, {x, y, zBack}, {x, y - thickness, zMid}};
}

// Octagon across z, for engines and cannons.
Ring roundSection(float z, float radius, float x, float y) {
    Ring ring;
    for (int i = 0; i < 8; ++i) {
        float a = 2.0f * std::numbers::pi_v<float> * float(i) / 8.0f;
        ring.push_back({x + radius * std::cos(a), y + radius * std::sin(a), z});
    }
    return ring;
}

Mesh fuselage() {
    return loft({hexSection(-1.0f, 0.0f, 0.0f, 0.0f), hexSection(-0.62f, 0.1f, 0.07f, 0.0f),
                 hexSection(-0.15f, 0.2f, 0.13f, 0.01f), hexSection(0.5f, 0.22f, 0.14f, 0.01f),
                 hexSection(0.85f, 0.16f, 0.1f, 0.0f)});
}

Mesh canopy() {
    return loft({hexSection(-0.55f, 0.0f, 0.0f, 0.08f), hexSection(-0.35f, 0.07f, 0.08f, 0.1f),
                 hexSection(-0.05f, 0.08f, 0.07f, 0.11f), hexSection(0.1f, 0.04f, 0.03f, 0.1f)});
}

Mesh wing(float side) {
    return loft({wingSection(side * 0.15f, -0.2f, 0.6f, 0.0f, 0.035f),
                 wingSection(side * 0.62f, 0.12f, 0.62f, -0.03f, 0.022f),
                 wingSection(side * 0.98f, 0.32f, 0.6f, -0.05f, 0.012f)});
}

Mesh tailFin() {
    auto finSection = [](float y, float zFront, float zBack, float thickness) {
        float zMid = zFront + (zBack - zFront) * 0.4f;
        return Ring{
            {0.0f, y, zFront}, {thickness, y, zMid}, {0.0f, y, zBack}, {-thickness, y, zMid}};
    };
    return loft({finSection(0.1f, 0.3f, 0.82f, 0.025f), finSection(0.42f, 0.66f, 0.9f, 0.01f)});
}

Mesh engine(float x) {
    return loft({roundSection(0.45f, 0.05f, x, -0.04f), roundSection(0.6f, 0.085f, x, -0.04f),
                 roundSection(0.95f, 0.075f, x, -0.04f)});
}

Mesh cannon(float x) {
    return loft({roundSection(-0.35f, 0.0f, x, -0.05f), roundSection(-0.3f, 0.018f, x, -0.05f),
                 roundSection(0.55f, 0.025f, x, -0.05f)});
}

} // namespace

Mesh spaceship() {
    Mesh ship = fuselage();
    ship.append(canopy());
    ship.append(tailFin());
    for (float side : {-1.0f, 1.0f}) {
        ship.append(wing(side));
        ship.append(engine(side * 0.13f));
        ship.append(cannon(side * 0.98f));
    }
    boxMapping(ship, 1.0f);
    return ship;
}

} // namespace assetgen
