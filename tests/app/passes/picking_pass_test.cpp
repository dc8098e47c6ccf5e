#include "app/passes/picking_pass.h"

#include <gtest/gtest.h>

TEST(PickingPixel, MapsTheMouseIntoTheQuarterSizeBuffer) {
    // A 320 x 240 window gives an 80 x 60 picking buffer.
    EXPECT_EQ(pickingPixel(160, 120, 80, 60), glm::ivec2(40, 29));
    EXPECT_EQ(pickingPixel(0, 0, 80, 60), glm::ivec2(0, 59));
    EXPECT_EQ(pickingPixel(3, 3, 80, 60), glm::ivec2(0, 59));
    EXPECT_EQ(pickingPixel(4, 4, 80, 60), glm::ivec2(1, 58));
    EXPECT_EQ(pickingPixel(319, 239, 80, 60), glm::ivec2(79, 0));
}

TEST(PickingPixel, OutsideTheBufferReadsNothing) {
    EXPECT_FALSE(pickingPixel(-1, 100, 80, 60));
    EXPECT_FALSE(pickingPixel(100, -3, 80, 60));
    EXPECT_FALSE(pickingPixel(320, 100, 80, 60));
    EXPECT_FALSE(pickingPixel(100, 240, 80, 60));
}
