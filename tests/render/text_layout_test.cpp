#include "render/text_layout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Layout {
    std::vector<float> positions;
    std::vector<float> fontData;
    int count = 0;
};

Layout layOut(const std::string& text, int line, float size) {
    Layout layout;
    layout.count = layoutText(text, line, size, layout.positions, layout.fontData);
    return layout;
}

void expectPoint(const Layout& layout, int point, float x, float y) {
    EXPECT_NEAR(layout.positions[3 * point], x, 1e-6f) << "point " << point;
    EXPECT_NEAR(layout.positions[3 * point + 1], y, 1e-6f) << "point " << point;
    EXPECT_EQ(layout.positions[3 * point + 2], 0.0f) << "point " << point;
}

// Where lines and columns land at each size is checked on the drawn glyphs
// (text_overlay_gltest); here the characters the layout must not mistake.
TEST(TextLayout, LoneOrTrailingBackslashRealLineFeedAndBytesAboveAsciiAreCharacters) {
    const Layout layout = layOut("a\\b\n\\", 0, 0.3f);
    ASSERT_EQ(layout.count, 5);
    EXPECT_EQ(layout.fontData[3], '\\');
    EXPECT_EQ(layout.fontData[9], 10.0f); // drawn as the glyph of code 10
    EXPECT_EQ(layout.fontData[12], '\\');
    expectPoint(layout, 4, 5 * 0.015f - 0.5f, 0.485f); // all on the first line
    // Bytes above ASCII become negative codes.
    const Layout utf8 = layOut("\xc3\xa9", 0, 0.3f);
    ASSERT_EQ(utf8.count, 2);
    EXPECT_EQ(utf8.fontData[0], -61.0f);
    EXPECT_EQ(utf8.fontData[3], -87.0f);
}

TEST(TextLayout, NewTextReplacesThePreviousPoints) {
    Layout layout = layOut("long old text", 0, 0.3f);
    layout.count = layoutText("", 0, 0.3f, layout.positions, layout.fontData);
    EXPECT_EQ(layout.count, 0);
    EXPECT_TRUE(layout.positions.empty());
    EXPECT_TRUE(layout.fontData.empty());
    layout.count = layoutText("\\n", 0, 0.3f, layout.positions, layout.fontData);
    EXPECT_EQ(layout.count, 0);
}

} // namespace
