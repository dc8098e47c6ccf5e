#include "util/color_counter.h"

#include <gtest/gtest.h>

using util::ColorCounter;
using Color = ColorCounter::Color;

namespace {

class ColorCounterTest : public ::testing::Test {
protected:
    void SetUp() override { ColorCounter::destroyInstance(); }
    void TearDown() override { ColorCounter::destroyInstance(); }
};

} // namespace

TEST_F(ColorCounterTest, StartsAboveTheStartValueRedWrapsIntoGreenAndGreenIntoBlue) {
    ColorCounter* counter = ColorCounter::getInstance();
    EXPECT_EQ(counter->current(), (Color{1, 0, 0}));
    EXPECT_EQ(counter->next(), (Color{2, 0, 0}));
    EXPECT_EQ(counter->next(), (Color{3, 0, 0}));
    EXPECT_EQ(counter->current(), (Color{3, 0, 0}));
    Color color{};
    for (int built = 3; built <= 254; ++built) {
        color = counter->next();
    }
    EXPECT_EQ(color, (Color{255, 0, 0}));
    EXPECT_EQ(counter->next(), (Color{0, 1, 0}));
    EXPECT_EQ(counter->next(), (Color{1, 1, 0}));
    EXPECT_EQ(counter->next(), (Color{2, 1, 0}));
    // Read as the number red + 256 * green, (1,0,0) to (255,255,0) is 65534 steps.
    for (int step = 254 + 3; step < 256 * 256 - 2; ++step) {
        color = counter->next();
    }
    EXPECT_EQ(color, (Color{255, 255, 0}));
    EXPECT_EQ(counter->next(), (Color{0, 0, 1}));
}
