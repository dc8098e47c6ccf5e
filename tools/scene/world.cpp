#include "scene/world.h"

#include "game/path.h"

#include <glm/gtc/matrix_transform.hpp>

#include <array>
#include <string>
#include <utility>

namespace scenegen {

namespace {

// The camera is at control point 1 when the song starts and near point 24
// when it ends. Things are placed 50 to 400 units off the points, so they
// pass by rather than block.
glm::vec3 pathPoint(int point) {
    static const game::PathPoints points = game::pathControlPoints();
    return glm::vec3(points[static_cast<std::size_t>(point)]);
}

glm::vec3 offPath(int point, glm::vec3 offset) {
    return pathPoint(point) + offset;
}

glm::mat4 orientation(glm::vec3 degrees) {
    const glm::mat4 identity(1.0f);
    return glm::rotate(identity, glm::radians(degrees.x), glm::vec3(1, 0, 0)) *
           glm::rotate(identity, glm::radians(degrees.y), glm::vec3(0, 1, 0)) *
           glm::rotate(identity, glm::radians(degrees.z), glm::vec3(0, 0, 1));
}

glm::mat4 placed(glm::vec3 position, float size = 1.0f) {
    return glm::scale(glm::translate(glm::mat4(1.0f), position), glm::vec3(size));
}

// A TransformationNode at a place, turned by the given angles.
SceneNode group(std::string name, glm::vec3 position, glm::vec3 degrees = glm::vec3(0.0f)) {
    SceneNode node;
    node.name = std::move(name);
    node.scaleMat = placed(position);
    node.rotMat = orientation(degrees);
    node.localmodelMat = node.scaleMat * node.rotMat;
    return node;
}

// A DisappearingNode: its local matrix is turned by the spin again on every
// frame, so the spin per frame stays tiny.
SceneNode spinner(std::string name, glm::vec3 position, glm::vec3 axis, float degreesPerFrame) {
    SceneNode node;
    node.kind = NodeKind::Disappearing;
    node.name = std::move(name);
    node.localmodelMat = placed(position);
    node.rotMat = glm::rotate(glm::mat4(1.0f), glm::radians(degreesPerFrame), glm::normalize(axis));
    return node;
}

// An ObjectNode (or HitNode) with its model, scaled to size and moved by
// offset below its parent.
SceneNode thing(std::string name, const char* model, const char* texture, float size,
                glm::vec3 offset = glm::vec3(0.0f), NodeKind kind = NodeKind::Object) {
    SceneNode node;
    node.kind = kind;
    node.name = std::move(name);
    node.geometry.objPath = std::string("Models/") + model;
    node.geometry.texturePath = std::string("Sprites/") + texture;
    node.geometry.scaleMat = placed(offset, size);
    return node;
}

SceneNode with(SceneNode parent, std::vector<SceneNode> children) {
    parent.children = std::move(children);
    return parent;
}

SceneNode gasGiant() {
    return with(group("orbit of Jove", offPath(5, {-400, 70, -60})),
                {thing("Jove", "planet.obj", "planet_gas.tga", 150.0f),
                 with(group("ring tilt", glm::vec3(0.0f), {16, 0, -8}),
                      {thing("Jove rings", "ring.obj", "ring_bands.tga", 280.0f)})});
}

SceneNode escortWing() {
    return with(group("wing formation", offPath(2, {70, 45, -40}), {0, 15, 0}),
                {thing("escort lead", "spaceship.obj", "hull17.tga", 4.0f),
                 thing("escort left", "spaceship.obj", "hull17.tga", 4.0f, {-12, -2, 10}),
                 thing("escort right", "spaceship.obj", "hull17.tga", 4.0f, {12, -2, 10})});
}

SceneNode wreckSite() {
    return with(group("wreck site", offPath(7, {-75, 20, 0})),
                {with(group("hull half", glm::vec3(0.0f), {20, 140, 35}),
                      {thing("broken fighter", "spaceship.obj", "hull17.tga", 10.0f)}),
                 with(spinner("drifting wreck", {-40, -30, -60}, {0.2f, 0.3f, 1.0f}, 0.15f),
                      {thing("tumbling fighter", "spaceship.obj", "metal18.tga", 8.0f)})});
}

SceneNode station() {
    return with(spinner("spinning station", offPath(9, {200, 60, 0}), {0, 1, 0}, 0.1f),
                {thing("station", "station.obj", "station_panels.tga", 45.0f),
                 thing("docked fighter", "spaceship.obj", "hull17.tga", 5.0f, {0, 0, 60})});
}

SceneNode bonusBeacon() {
    return with(
        spinner("beacon spin", offPath(11, {0, 55, 0}), {0, 1, 0.3f}, 1.0f),
        {thing("bonus beacon", "cube.obj", "metal18.tga", 5.0f, glm::vec3(0.0f), NodeKind::Hit)});
}

// Rocks along the middle of the flight; the tumblers spin as they drift.
SceneNode asteroidBelt() {
    struct Rock {
        int point;
        glm::vec3 offset;
        glm::vec3 degrees;
        float size;
        const char* model;
    };
    const Rock rocks[] = {
        {11, {-60, -70, -40}, {10, 40, 0}, 12.0f, "asteroid_b.obj"},
        {12, {70, 30, -20}, {35, 0, 60}, 18.0f, "asteroid.obj"},
        {13, {-90, -20, 10}, {0, 80, 20}, 25.0f, "asteroid_b.obj"},
        {14, {60, 80, -30}, {70, 10, 0}, 14.0f, "asteroid_c.obj"},
        {15, {-120, 10, 0}, {15, 200, 45}, 35.0f, "asteroid.obj"},
        {16, {100, -50, 20}, {0, 30, 120}, 22.0f, "asteroid_b.obj"},
        {17, {-100, 80, -10}, {50, 50, 50}, 16.0f, "asteroid_c.obj"},
        {18, {190, 40, 0}, {5, 300, 10}, 40.0f, "asteroid.obj"},
    };
    SceneNode belt = group("belt of rocks", glm::vec3(0.0f));
    int number = 1;
    for (const Rock& rock : rocks) {
        const std::string id = std::to_string(number++);
        belt.children.push_back(
            with(group("rock " + id, offPath(rock.point, rock.offset), rock.degrees),
                 {thing("asteroid " + id, rock.model, "asteroid_rock.tga", rock.size)}));
    }
    belt.children.push_back(
        with(spinner("tumbler 1", offPath(14, {-110, -70, 20}), {1, 1, 0}, 0.3f),
             {thing("asteroid t1", "asteroid_c.obj", "asteroid_rock.tga", 20.0f)}));
    belt.children.push_back(
        with(spinner("tumbler 2", offPath(16, {-110, 90, -30}), {0, 1, 1}, 0.2f),
             {thing("asteroid t2", "asteroid.obj", "asteroid_rock.tga", 28.0f)}));
    return belt;
}

// Only the gas giant, seen close with its rings, gets the finest sphere; the
// others are far enough for the lighter one, which keeps the frame cheap.
SceneNode rockyPlanet() {
    return with(group("orbit of Terra", offPath(13, {360, -110, -50})),
                {thing("Terra", "moon.obj", "planet_terra.tga", 120.0f),
                 with(spinner("circling moonlet", glm::vec3(0.0f), {0, 1, 0.2f}, 0.05f),
                      {thing("moonlet", "moon.obj", "moon.tga", 22.0f, {210, 0, 0})})});
}

SceneNode relayStation() {
    return with(group("outpost", offPath(20, {-150, 90, 0}), {0, 30, 20}),
                {thing("relay station", "station.obj", "station_panels.tga", 35.0f),
                 thing("relay shuttle", "spaceship.obj", "metal18.tga", 4.0f, {50, -10, 30})});
}

SceneNode barrenPlanet() {
    return with(group("orbit of Hades", offPath(23, {-400, -130, 0})),
                {thing("Hades", "moon.obj", "moon.tga", 170.0f)});
}

// The special models start switched off; the passes switch them on for the
// moment they are drawn. Their nodes stay on, or the models never show.
SceneNode special(std::string name, const char* model, const char* texture, float size) {
    SceneNode node = thing(std::move(name), model, texture, size);
    node.geometry.drawStatus = 0;
    return node;
}

} // namespace

Scene gameWorld() {
    Scene scene;
    scene.name = "cueflight";
    scene.windowMode = 0x10001; // a window, not full screen
    scene.width = 1024;
    scene.height = 768;
    scene.cameras = {{"main cam", "GlobalViewPlaneMoveCamera"},
                     {"spaceship cam", "SpaceShipCamera"},
                     {"racing cam", "ThirdPersonRaceCamera"}};
    scene.activeCam = "main cam";
    SceneNode universum = with(group("universum", glm::vec3(0.0f)),
                               {gasGiant(), escortWing(), wreckSite(), station(), bonusBeacon(),
                                asteroidBelt(), rockyPlanet(), relayStation(), barrenPlanet()});
    scene.root =
        with(group("root", glm::vec3(0.0f)),
             {std::move(universum), special("crosshair", "crosshair.obj", "marker.tga", 1.0f),
              special("moonnode", "moon.obj", "moon.tga", 8.0f),
              special("planenode", "plane.obj", "metal18.tga", 1.0f)});
    return scene;
}

} // namespace scenegen
