#include "app/passes/feedback_pass.h"

#include "app/end_of_song.h"
#include "app/frame_scene.h"
#include "app/frame_values.h"
#include "game/timing_feedback.h"

namespace frametest {
namespace {

// The error bar's row and half length in window pixels (see feedback_pass.cpp:
// centre at y = -0.435 of the overlay, ±0.2 of its width along x).
constexpr int kBarRow = static_cast<int>((0.5f - 0.435f) * kHeight);
constexpr int kBarHalfPixels = static_cast<int>(0.2f * kWidth) - 4; // the labels lie beyond

class FeedbackPassTest : public FrameTest {
protected:
    // The feedback of the clicks drawn over black; the picture's bar row.
    Picture drawClicks(std::initializer_list<double> offsetsMs) {
        game::TimingFeedback feedback;
        double atMs = 1000.0;
        int cue = 0;
        for (double offset : offsetsMs) {
            feedback.record(game::Judgement{game::Verdict::Hit, cue++, offset}, atMs, {});
            atMs += 400.0;
        }
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        const FrameValues values = computeFrameValues(*root, loop.renderFlags);
        // Long after the last click: its readout has faded, the bar stays.
        objects.feedback.draw(values, FeedbackFrame{&feedback, atMs + 5000.0, {0.0f, 0.0f}});
        return Picture();
    }

    // The columns of the bar's row whose colour leans to blue (early) and to
    // orange (late).
    static void sides(const Picture& picture, std::vector<int>& blue, std::vector<int>& orange) {
        for (int x = kWidth / 2 - kBarHalfPixels; x <= kWidth / 2 + kBarHalfPixels; ++x) {
            const Rgb c = picture.at(x, kBarRow);
            if (c.b > c.r + 60) {
                blue.push_back(x - kWidth / 2);
            } else if (c.r > c.b + 60) {
                orange.push_back(x - kWidth / 2);
            }
        }
    }
};

TEST_F(FeedbackPassTest, EarlyClicksTickOnTheEarlySideAndLateOnesOnTheLate) {
    std::vector<int> blue;
    std::vector<int> orange;
    sides(drawClicks({-150.0, 180.0, -90.0, 220.0}), blue, orange);
    ASSERT_FALSE(blue.empty()) << "no early tick drawn";
    ASSERT_FALSE(orange.empty()) << "no late tick drawn";
    EXPECT_LT(*std::max_element(blue.begin(), blue.end()), 0) << "an early tick right of centre";
    EXPECT_GT(*std::min_element(orange.begin(), orange.end()), 0) << "a late tick left of centre";
    // Further from the moment, further from the centre: -150 ms lies at 60 %
    // of the half length, -90 ms at 36 %.
    EXPECT_NEAR(*std::min_element(blue.begin(), blue.end()), -0.6 * 0.2 * kWidth, 3.0);
    EXPECT_NEAR(*std::max_element(orange.begin(), orange.end()), 0.88 * 0.2 * kWidth, 3.0);

    // Only late clicks: nothing blue on the bar at all.
    blue.clear();
    orange.clear();
    sides(drawClicks({60.0, 120.0}), blue, orange);
    EXPECT_TRUE(blue.empty());
    EXPECT_FALSE(orange.empty());
}

// A miss mark that has faded out is not drawn at all: with transparency off
// (the blending key) a see-through MISS would show in full.
TEST_F(FeedbackPassTest, AMissMarkGoneIsNotDrawnEvenWithoutBlending) {
    game::TimingFeedback feedback;
    feedback.record(game::Judgement{game::Verdict::Missed, 0, 251.0}, 1000.0,
                    glm::vec3(0.0f, 0.0f, -20.0f));
    const FrameValues values = computeFrameValues(*root, loop.renderFlags);
    glDisable(GL_BLEND);
    const auto missPixels = [&](double nowMs) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        objects.feedback.draw(values, FeedbackFrame{&feedback, nowMs, {0.0f, 0.0f}});
        const Picture picture;
        int count = 0;
        for (int y = kHeight / 3; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                const Rgb c = picture.at(x, y);
                count += c.r > 150 && 2 * c.g < c.r ? 1 : 0;
            }
        }
        return count;
    };
    const int shown = missPixels(1100.0);
    const int gone = missPixels(1000.0 + game::kMissMarkShownMs + 100.0);
    glEnable(GL_BLEND);
    EXPECT_GT(shown, 0) << "the mark while it shows";
    EXPECT_EQ(gone, 0);
}

// The LATE label stands level with the bar, just beyond its late end.
TEST_F(FeedbackPassTest, TheLateLabelStandsBesideTheBarsLateEnd) {
    const Picture picture = drawClicks({});
    int rows = 0;
    int count = 0;
    for (int y = 0; y < kHeight / 4; ++y) {
        for (int x = kWidth / 2 + kBarHalfPixels + 4; x < kWidth; ++x) {
            const Rgb c = picture.at(x, y);
            if (c.r > c.b + 60) {
                rows += y;
                ++count;
            }
        }
    }
    ASSERT_GT(count, 0) << "no LATE label";
    EXPECT_NEAR(static_cast<double>(rows) / count, kBarRow, 3.0);
}

// The end screen's histogram: one bar per 50 ms bin that holds hits, early
// bins in the early colour, late ones in the late colour, empty bins bare.
TEST_F(FeedbackPassTest, TheHistogramBarsEveryBinWithHitsInItsSidesColour) {
    EndOfSong end;
    end.stats.addHit(-60.0); // the fourth bin, -100 to -50 ms
    end.stats.addHit(10.0);  // the sixth, 0 to +50 ms
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    objects.endScreen.draw(computeFrameValues(*root, loop.renderFlags), end, true);
    const Picture picture;
    // The histogram's bottom left corner lies at (-0.48, -0.29) of the
    // overlay, 0.3 wide and 0.1 high; a bin is 0.03 wide.
    const auto column = [](int bin) {
        return static_cast<int>((0.02 + 0.03 * (bin + 0.5)) * kWidth);
    };
    const int row = static_cast<int>((0.5 - 0.29 + 0.05) * kHeight);
    const Rgb early = picture.at(column(3), row);
    const Rgb late = picture.at(column(5), row);
    const Rgb empty = picture.at(column(0), row);
    EXPECT_GT(early.b, early.r + 60) << "the -60 ms bin";
    EXPECT_GT(late.r, late.b + 60) << "the +10 ms bin";
    EXPECT_LT(empty.sum(), 30) << "an empty bin";
}

} // namespace
} // namespace frametest
