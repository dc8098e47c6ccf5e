#include "app/passes/crosshair_pass.h"

#include <gtest/gtest.h>

TEST(CrosshairPlace, FollowsTheMouseAcrossTheOverlay) {
    EXPECT_EQ(crosshairPlace(512, 384, 1024, 768), glm::vec3(0.0f));
    EXPECT_EQ(crosshairPlace(0, 0, 1024, 768), glm::vec3(-0.5f, 0.5f, 0.0f));
    EXPECT_EQ(crosshairPlace(1024, 768, 1024, 768), glm::vec3(0.5f, -0.5f, 0.0f));
    EXPECT_FLOAT_EQ(crosshairPlace(100, 0, 1000, 768).x, -0.4f);
}
