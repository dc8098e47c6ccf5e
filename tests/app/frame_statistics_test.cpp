#include "app/frame_statistics.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void addFrames(FrameStatistics& statistics, int count, double frameTime) {
    for (int i = 0; i < count; ++i) {
        statistics.addFrame(frameTime);
    }
}

TEST(FrameStatistics, ASampleIsTakenEveryThirtyFrames) {
    FrameStatistics statistics;
    for (int i = 0; i < 29; ++i) {
        EXPECT_FALSE(statistics.addFrame(0.02));
    }
    EXPECT_STREQ(statistics.line(), "");
    EXPECT_TRUE(statistics.addFrame(0.02));
    EXPECT_STREQ(statistics.line(), "fps: 50.00 | fpsAVG: 50.00 | fpsMin: 50.00 | fpsMax: 50.00");
    for (int i = 0; i < 29; ++i) {
        EXPECT_FALSE(statistics.addFrame(0.02));
    }
    EXPECT_TRUE(statistics.addFrame(0.02));
}

TEST(FrameStatistics, TracksMinimumMaximumAndAverageAndResetKeepsOnlyTheExtremes) {
    FrameStatistics statistics;
    addFrames(statistics, 30, 0.1);  // 10 fps
    addFrames(statistics, 30, 0.02); // 50 fps
    EXPECT_STREQ(statistics.line(), "fps: 50.00 | fpsAVG: 30.00 | fpsMin: 10.00 | fpsMax: 50.00");
    addFrames(statistics, 30, 0.5); // 2 fps: padded to five characters
    EXPECT_STREQ(statistics.line(), "fps:  2.00 | fpsAVG: 20.67 | fpsMin:  2.00 | fpsMax: 50.00");
    addFrames(statistics, 30, 0.01); // 100 fps
    statistics.resetAverage();
    addFrames(statistics, 30, 0.05); // 20 fps
    EXPECT_FLOAT_EQ(statistics.average(), 20.0f);
    EXPECT_FLOAT_EQ(statistics.minimum(), 2.0f);
    EXPECT_FLOAT_EQ(statistics.maximum(), 100.0f);
    EXPECT_STREQ(statistics.line(), "fps: 20.00 | fpsAVG: 20.00 | fpsMin:  2.00 | fpsMax: 100.00");
}

} // namespace
