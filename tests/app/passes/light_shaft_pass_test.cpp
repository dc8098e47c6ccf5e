#include "app/frame_values.h"
#include "app/passes/light_shaft_pass.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

// The game's camera: 20 degrees of view, looking down -z from the origin.
FrameValues gameCamera() {
    FrameValues values;
    values.projection = glm::perspective(glm::radians(20.0f), 1.0f, 1.0f, 3.0f);
    values.view = glm::mat4(1.0f);
    return values;
}

// A light 100 units away, degrees to the right of the view's centre.
glm::vec3 lightAt(float degrees) {
    const float radians = glm::radians(degrees);
    return {100.0f * std::sin(radians), 0.0f, -100.0f * std::cos(radians)};
}

// A light on the screen or just beside it shows; one behind the camera or far
// beside the screen does not.
TEST(RaysVisibility, ALightShowsOnOrJustBesideTheScreenOnly) {
    const FrameValues values = gameCamera();
    EXPECT_TRUE(raysCanShow(values, lightAt(0.0f)));
    // The screen's edge is 10 degrees out; the rays fade out well beyond it.
    EXPECT_TRUE(raysCanShow(values, lightAt(12.0f)));
    EXPECT_TRUE(raysCanShow(values, glm::vec3(0.0f, -30.0f, -200.0f)));
    EXPECT_FALSE(raysCanShow(values, lightAt(180.0f)));
    EXPECT_FALSE(raysCanShow(values, glm::vec3(0.0f, 0.0f, 50.0f)));
    // tan(10 degrees) * 2.4 is past the fade's end at about 23 degrees.
    EXPECT_FALSE(raysCanShow(values, lightAt(30.0f)));
    EXPECT_FALSE(raysCanShow(values, lightAt(-30.0f)));
}

TEST(RaysVisibility, TheCamerasTurnCounts) {
    FrameValues values = gameCamera();
    values.view = glm::rotate(glm::mat4(1.0f), glm::radians(30.0f), glm::vec3(0.0f, 1.0f, 0.0f));
    // The camera turned to the right by 30 degrees: that light is ahead now.
    EXPECT_TRUE(raysCanShow(values, lightAt(30.0f)));
    EXPECT_FALSE(raysCanShow(values, lightAt(0.0f)));
}

} // namespace
