#include "app/accuracy.h"

#include <gtest/gtest.h>

namespace {

TEST(Accuracy, TextHasSixSignificantDigitsAndATwoCharacterBreak) {
    EXPECT_EQ(accuracyText(2, 3), "ACCURACY: 66.6667\\nGamer");
    EXPECT_EQ(accuracyText(1, 3), "ACCURACY: 33.3333\\n1 in 3?! COMON!");
    EXPECT_EQ(accuracyText(3, 3), "ACCURACY: 100\\nWow, you're a GOD");
    EXPECT_EQ(accuracyText(4, 3), "ACCURACY: 133.333\\nCHEATER!"); // more hits than cues
}

TEST(Accuracy, RoundingIntoFloatDecidesTheBand) {
    // 1 / 10 * 100 is a hair above 10 in double but exactly 10 as a float.
    EXPECT_EQ(accuracyText(1, 10), "ACCURACY: 10\\nJust let my cat play");
    EXPECT_EQ(accuracyText(21, 100), "ACCURACY: 21\\nBTW, you can Click on\\nthose balls");
    EXPECT_EQ(accuracyText(9, 10), "ACCURACY: 90\\nJedi.");
}

TEST(Accuracy, EachBoundBelongsToTheLowerBand) {
    const struct {
        float accuracy;
        const char* rating;
    } cases[] = {
        {100.5f, "CHEATER!"},
        {100.0f, "Wow, you're a GOD"},
        {90.01f, "Wow, you're a GOD"},
        {90.0f, "Jedi."},
        {80.0f, "Fighter Pilot"},
        {70.0f, "Gamer"},
        {60.0f, "Just for fun?"},
        {50.0f, "Drinker"},
        {40.0f, "1 in 3?! COMON!"},
        {30.0f, "BTW, you can Click on\\nthose balls"},
        {20.0f, "Mom?"},
        {10.01f, "Mom?"},
        {10.0f, "Just let my cat play"},
        {0.0f, "Just let my cat play"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(ratingFor(c.accuracy), c.rating) << c.accuracy;
    }
}

} // namespace
