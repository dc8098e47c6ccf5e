#include "render/overlay_placement.h"
#include "render/text_layout.h"
#include "support/glm_expect.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The box a placed one-line text covers: each glyph is half its size wide
// and its size high about its point, as the font program draws it.
struct Box {
    glm::vec2 low{1e9f};
    glm::vec2 high{-1e9f};
};

Box placedBox(const std::string& text, float size, const glm::mat4& place) {
    std::vector<float> positions, font;
    const int count = layoutText(text, 0, size, positions, font);
    const glm::vec2 half(0.25f * size / 10.0f, 0.5f * size / 10.0f);
    Box box;
    for (int i = 0; i < count; ++i) {
        const glm::vec2 point(positions[3 * i], positions[3 * i + 1]);
        for (glm::vec2 corner : {point - half, point + half}) {
            const glm::vec2 moved(place * glm::vec4(corner, 0.0f, 1.0f));
            box.low = glm::min(box.low, moved);
            box.high = glm::max(box.high, moved);
        }
    }
    return box;
}

TEST(OverlayPlacement, TextsLandOnTheirAnchor) {
    const glm::vec2 at(0.1f, -0.2f);
    const Box centred = placedBox("+12 ms", 0.35f, placeText(6, 0.35f, at, TextAnchor::Centre));
    EXPECT_TRUE(testsupport::near(0.5f * (centred.low + centred.high), at, 1e-6f));
    const Box left = placedBox("EARLY", 0.25f, placeText(5, 0.25f, at, TextAnchor::Left));
    EXPECT_NEAR(left.low.x, at.x, 1e-6f);
    const Box right = placedBox("LATE", 0.25f, placeText(4, 0.25f, at, TextAnchor::Right));
    EXPECT_NEAR(right.high.x, at.x, 1e-6f);
    EXPECT_NEAR(0.5f * (right.low.y + right.high.y), at.y, 1e-6f);
}

TEST(OverlayPlacement, WorldPointsShowWhereTheProjectionPutsThemAndNotBehindTheEye) {
    const glm::mat4 projection = glm::perspective(glm::radians(90.0f), 1.0f, 1.0f, 3.0f);
    const glm::mat4 view(1.0f);
    EXPECT_EQ(overlayPointOf({0.0f, 0.0f, -2.0f}, view, projection), glm::vec2(0.0f));
    // At 45 degrees up and right: the window's top right corner.
    const std::optional<glm::vec2> corner = overlayPointOf({2.0f, 2.0f, -2.0f}, view, projection);
    ASSERT_TRUE(corner);
    EXPECT_NEAR(corner->x, 0.5f, 1e-6f);
    EXPECT_NEAR(corner->y, 0.5f, 1e-6f);
    EXPECT_EQ(overlayPointOf({0.0f, 0.0f, 2.0f}, view, projection), std::nullopt);
}

} // namespace
