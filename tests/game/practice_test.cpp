#include "game/practice.h"

#include <gtest/gtest.h>

using game::offeredPassage;
using game::PracticeRange;

TEST(Practice, TheOfferedPassageHoldsTheMostMissesAndStaysInTheSong) {
    // Two misses early, four close together later: the later cluster wins,
    // starting a second before its first miss.
    const PracticeRange busy =
        offeredPassage({90000.0, 5000.0, 61000.0, 6000.0, 64000.0, 62500.0}, 30000.0, 120000.0);
    EXPECT_DOUBLE_EQ(busy.fromMs, 60000.0);
    EXPECT_DOUBLE_EQ(busy.toMs, 60000.0 + game::kOfferedPassageMs);
    EXPECT_DOUBLE_EQ(busy.speed, game::kOfferedSpeed);
    for (double miss : {61000.0, 62500.0, 64000.0}) {
        EXPECT_TRUE(busy.practises(miss)) << miss;
    }
    // A cluster's last miss just inside the passage counts; one a moment past it does not.
    const double reach = game::kOfferedPassageMs - 1000.0;
    EXPECT_DOUBLE_EQ(
        offeredPassage({10000.0, 40000.0, 40000.0 + reach - 1.0}, 0.0, 120000.0).fromMs, 39000.0);
    EXPECT_DOUBLE_EQ(
        offeredPassage({10000.0, 11000.0, 40000.0, 40000.0 + reach}, 0.0, 120000.0).fromMs, 9000.0);

    // Two clusters as dense: the earlier one, where the player first lost the beat.
    EXPECT_DOUBLE_EQ(offeredPassage({40000.0, 41000.0, 10000.0, 11000.0}, 0.0, 120000.0).fromMs,
                     9000.0);

    // Without a miss: the fallback, such as the song's loudest stretch.
    EXPECT_DOUBLE_EQ(offeredPassage({}, 30000.0, 120000.0).fromMs, 30000.0);
    // Near either end the passage is moved inside the song, whole where the song allows.
    EXPECT_DOUBLE_EQ(offeredPassage({300.0}, 0.0, 120000.0).fromMs, 0.0);
    const PracticeRange last = offeredPassage({119000.0}, 0.0, 120000.0);
    EXPECT_DOUBLE_EQ(last.fromMs, 120000.0 - game::kOfferedPassageMs);
    EXPECT_DOUBLE_EQ(last.toMs, 120000.0);
    const PracticeRange shortSong = offeredPassage({}, 5000.0, 8000.0);
    EXPECT_DOUBLE_EQ(shortSong.fromMs, 0.0);
    EXPECT_DOUBLE_EQ(shortSong.toMs, 8000.0);
}

TEST(Practice, SpeedStepsStayOnTheGridWithinTheirLimits) {
    EXPECT_DOUBLE_EQ(game::steppedSpeed(0.75, 1), 0.8);
    EXPECT_DOUBLE_EQ(game::steppedSpeed(0.75, -1), 0.7);
    // A speed off the grid (typed on the command line) steps onto it.
    EXPECT_DOUBLE_EQ(game::steppedSpeed(0.62, 1), 0.65);
    EXPECT_DOUBLE_EQ(game::steppedSpeed(game::kFastestSpeed, 1), game::kFastestSpeed);
    EXPECT_DOUBLE_EQ(game::steppedSpeed(game::kSlowestSpeed, -3), game::kSlowestSpeed);
    EXPECT_EQ(game::speedText(0.75), "0.75");
    EXPECT_EQ(game::speedText(0.5), "0.5");
    EXPECT_EQ(game::speedText(1.0), "1");
    EXPECT_EQ(game::speedText(0.7000000001), "0.7");
}
