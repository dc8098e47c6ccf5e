#include "course_keep_out.h"

#include "game/path.h"

namespace chart {

namespace {

// Room left around a thing's own size, for the cues and the camera's view.
constexpr float kRoom = 15.0f;
// The models are about one unit in radius before their scene scales them.
constexpr float kModelRadius = 1.15f;

} // namespace

const std::vector<KeepOut>& sceneKeepOuts() {
    // Each as the scene places it: a shipped control point, an offset and
    // the reach of the thing and what circles it.
    struct Thing {
        int point;
        glm::vec3 offset;
        float reach;
    };
    static const std::vector<KeepOut> keepOuts = [] {
        const Thing things[] = {
            {5, {-400, 70, -60}, 280.0f},   // Jove and its rings
            {2, {70, 45, -40}, 22.0f},      // the escort wing
            {7, {-75, 20, 0}, 12.0f},       // the wreck site
            {7, {-115, -10, -60}, 10.0f},   // its drifting wreck
            {9, {200, 60, 0}, 66.0f},       // the station and its docked fighter
            {11, {0, 55, 0}, 5.0f},         // the bonus beacon
            {11, {-60, -70, -40}, 14.0f},   // the rocks of the belt
            {12, {70, 30, -20}, 21.0f},     //
            {13, {-90, -20, 10}, 29.0f},    //
            {14, {60, 80, -30}, 16.0f},     //
            {15, {-120, 10, 0}, 40.0f},     //
            {16, {100, -50, 20}, 25.0f},    //
            {17, {-100, 80, -10}, 18.0f},   //
            {18, {190, 40, 0}, 46.0f},      //
            {14, {-110, -70, 20}, 23.0f},   // the tumblers
            {16, {-110, 90, -30}, 32.0f},   //
            {13, {360, -110, -50}, 235.0f}, // Terra and its moonlet's orbit
            {20, {-150, 90, 0}, 64.0f},     // the outpost and its shuttle
            {23, {-400, -130, 0}, 170.0f},  // Hades
        };
        const game::PathPoints points = game::pathControlPoints();
        std::vector<KeepOut> spheres;
        for (const Thing& thing : things) {
            spheres.push_back(
                {glm::vec3(points[static_cast<std::size_t>(thing.point)]) + thing.offset,
                 thing.reach * kModelRadius + kRoom});
        }
        return spheres;
    }();
    return keepOuts;
}

} // namespace chart
