#include "util/random.h"

#include <gtest/gtest.h>

#include <vector>

TEST(GameRandom, StartsWithTheKnownSequenceResetRepeatsItAndValuesStayInRange) {
    util::resetGameRandom();
    const std::vector<int> expected = {41,    18467, 6334,  26500, 19169,
                                       15724, 11478, 29358, 26962, 24464};
    std::vector<int> first;
    for (int i = 0; i < 1000; ++i) {
        first.push_back(util::gameRandom());
        ASSERT_GE(first.back(), 0);
        ASSERT_LE(first.back(), util::kGameRandomMax);
    }
    EXPECT_EQ(std::vector<int>(first.begin(), first.begin() + 10), expected);
    util::resetGameRandom();
    for (int value : first) {
        ASSERT_EQ(util::gameRandom(), value);
    }
}
