#include "app/passes/feedback_pass.h"

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

} // namespace
} // namespace frametest
