#include "collection/shader_collection.h"
#include "render/overlay_placement.h"
#include "render/overlay_text.h"
#include "render/text_overlay.h"
#include "render/text_pass.h"
#include "support/gl_context.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 1024;
constexpr int kHeight = 768;
constexpr int kFontProgramId = 7;

// A pixel rectangle, rows counted from the top.
struct Box {
    int left, top, right, bottom; // right and bottom exclusive
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
};

// Where the character at (column, line) of a text of the given size may
// leave pixels: its glyph quad, half the size wide and the size high, plus a
// pixel for rounding.
Box glyphBox(int column, int line, float size) {
    const float w = size / 10.0f;
    const float x = (column + 1) * 0.5f * w - 0.5f;
    const float y = 0.5f - 0.5f * w - line * 0.9f * w;
    const float centreX = (x + 0.5f) * kWidth;
    const float centreY = (0.5f - y) * kHeight;
    const float halfWidth = 0.25f * w * kWidth;
    const float halfHeight = 0.5f * w * kHeight;
    return {int(centreX - halfWidth) - 1, int(centreY - halfHeight) - 1,
            int(centreX + halfWidth) + 2, int(centreY + halfHeight) + 2};
}

// Text drawn with the real font sheet and "font" program of the run folder
// into an off-screen target of the game's window size, on black.
class TextOverlayGL : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::requireGLContext();
        previousDir = std::filesystem::current_path();
        std::filesystem::current_path(CUEFLIGHT_RUN_DIR);
        collection::ShaderCollection::destroyInstance();
        collection::ShaderCollection* shaders = collection::ShaderCollection::getInstance();
        shaders->addProgram(kFontProgramId, "font");
        shaders->locateVariables();
        program = shaders->getProgram(kFontProgramId);
        ASSERT_TRUE(program->isLinked());

        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
        glGenRenderbuffers(1, &colour);
        glBindRenderbuffer(GL_RENDERBUFFER, colour);
        glRenderbufferStorage(GL_RENDERBUFFER, GL_RGBA8, kWidth, kHeight);
        glGenFramebuffers(1, &target);
        glBindFramebuffer(GL_FRAMEBUFFER, target);
        glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_RENDERBUFFER, colour);
        ASSERT_EQ(glCheckFramebufferStatus(GL_FRAMEBUFFER), GLenum(GL_FRAMEBUFFER_COMPLETE));
        glViewport(0, 0, kWidth, kHeight);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        clear();
    }

    void TearDown() override {
        releaseTextOverlays();
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDeleteFramebuffers(1, &target);
        glDeleteRenderbuffers(1, &colour);
        glBindVertexArray(0);
        glDeleteVertexArrays(1, &vertexArray);
        collection::ShaderCollection::destroyInstance();
        std::filesystem::current_path(previousDir);
    }

    void clear() {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }

    void draw(TextOverlay& overlay) {
        overlay.draw(glm::mat4(1.0f), projection, program);
        ASSERT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    }

    // Red channel, rows from the top.
    std::vector<unsigned char> readRed() {
        std::vector<unsigned char> rgba(std::size_t(kWidth) * kHeight * 4);
        glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
        std::vector<unsigned char> red(std::size_t(kWidth) * kHeight);
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                red[std::size_t(y) * kWidth + x] =
                    rgba[(std::size_t(kHeight - 1 - y) * kWidth + x) * 4];
            }
        }
        return red;
    }

    // Bright (glyph fill) pixels inside a box, and any lit pixel outside all boxes.
    static int brightIn(const std::vector<unsigned char>& red, const Box& box) {
        int bright = 0;
        for (int y = std::max(box.top, 0); y < std::min(box.bottom, kHeight); ++y) {
            for (int x = std::max(box.left, 0); x < std::min(box.right, kWidth); ++x) {
                bright += red[std::size_t(y) * kWidth + x] > 200 ? 1 : 0;
            }
        }
        return bright;
    }
    static int litOutside(const std::vector<unsigned char>& red, const std::vector<Box>& boxes) {
        int lit = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                bool inside = false;
                for (const Box& box : boxes) {
                    inside = inside || box.contains(x, y);
                }
                lit += !inside && red[std::size_t(y) * kWidth + x] != 0 ? 1 : 0;
            }
        }
        return lit;
    }
    // Mean row of the bright pixels in a box, 0 at its top and 1 at its bottom.
    static float brightCentreRow(const std::vector<unsigned char>& red, const Box& box) {
        double sum = 0.0;
        int bright = 0;
        for (int y = box.top; y < box.bottom; ++y) {
            for (int x = box.left; x < box.right; ++x) {
                if (red[std::size_t(y) * kWidth + x] > 200) {
                    sum += y;
                    ++bright;
                }
            }
        }
        return bright == 0 ? -1.0f : float((sum / bright - box.top) / double(box.bottom - box.top));
    }

    std::filesystem::path previousDir;
    ShaderProgram* program = nullptr;
    GLuint vertexArray = 0;
    GLuint colour = 0;
    GLuint target = 0;
    const glm::mat4 projection = glm::ortho(-0.5f, 0.5f, -0.5f, 0.5f, 0.0f, 1.0f);
};

TEST_F(TextOverlayGL, GlyphsAppearWhereTheCharactersStandAndNowhereElse) {
    TextOverlay overlay;
    overlay.setText("AB C\\nWM", 2, 0.3f);
    EXPECT_TRUE(overlay.visible);
    draw(overlay);
    const std::vector<unsigned char> red = readRed();
    const std::vector<Box> glyphs = {glyphBox(0, 2, 0.3f), glyphBox(1, 2, 0.3f),
                                     glyphBox(3, 2, 0.3f), glyphBox(0, 3, 0.3f),
                                     glyphBox(1, 3, 0.3f)};
    for (const Box& box : glyphs) {
        EXPECT_GT(brightIn(red, box), 15) << "glyph at " << box.left << "," << box.top;
    }
    EXPECT_EQ(brightIn(red, glyphBox(2, 2, 0.3f)), 0); // the space
    EXPECT_EQ(litOutside(red, glyphs), 0);
}

TEST_F(TextOverlayGL, GlyphsStandUprightAtTheAccuracySize) {
    TextOverlay overlay;
    overlay.setText("_^.'", 5, 0.8f);
    draw(overlay);
    const std::vector<unsigned char> red = readRed();
    // Low marks sit in the lower part of their box, high ones in the upper.
    EXPECT_GT(brightCentreRow(red, glyphBox(0, 5, 0.8f)), 0.6f);
    EXPECT_LT(brightCentreRow(red, glyphBox(1, 5, 0.8f)), 0.4f);
    EXPECT_GT(brightCentreRow(red, glyphBox(2, 5, 0.8f)), 0.6f);
    EXPECT_LT(brightCentreRow(red, glyphBox(3, 5, 0.8f)), 0.4f);
}

TEST_F(TextOverlayGL, GlyphEdgesAreBlendedAndOutlinedDark) {
    TextOverlay overlay;
    overlay.setText("O", 0, 0.8f);
    glClearColor(0.0f, 0.0f, 1.0f, 1.0f); // blue shows where the outline darkens
    glClear(GL_COLOR_BUFFER_BIT);
    draw(overlay);
    std::vector<unsigned char> rgba(std::size_t(kWidth) * kHeight * 4);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    int white = 0, darkened = 0, between = 0;
    for (std::size_t i = 0; i < rgba.size(); i += 4) {
        const int r = rgba[i], b = rgba[i + 2];
        white += r > 200 && b > 200 ? 1 : 0;
        darkened += r < 30 && b < 100 ? 1 : 0;
        between += r > 40 && r < 200 ? 1 : 0;
    }
    EXPECT_GT(white, 10);
    EXPECT_GT(darkened, 10);
    EXPECT_GT(between, 5); // averaged edges, not hard texel steps
}

TEST_F(TextOverlayGL, AStretchedBlockFillsItsRectangleInTheTint) {
    TextOverlay block;
    block.setText(std::string(1, kBlockGlyph), 0, 1.0f);
    // 0.05 x 0.04 of the window about (0.1, -0.2): pixels 589..640 by 522..553.
    const glm::mat4 place = placeBlock(1.0f, {0.1f, -0.2f}, {0.05f, 0.04f});
    block.draw(place, projection, program, glm::vec4(1.0f, 0.5f, 0.0f, 0.5f));
    std::vector<unsigned char> rgba(std::size_t(kWidth) * kHeight * 4);
    glReadPixels(0, 0, kWidth, kHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    const auto pixel = [&](int x, int top) {
        const std::size_t i = (std::size_t(kHeight - 1 - top) * kWidth + x) * 4;
        return glm::ivec3(rgba[i], rgba[i + 1], rgba[i + 2]);
    };
    // Half opaque over black: half the tint, the same colour at both corners.
    for (const glm::ivec2& inside :
         {glm::ivec2(591, 524), glm::ivec2(614, 538), glm::ivec2(637, 551)}) {
        const glm::ivec3 colour = pixel(inside.x, inside.y);
        EXPECT_NEAR(colour.r, 128, 2) << inside.x;
        EXPECT_NEAR(colour.g, 64, 2) << inside.x;
        EXPECT_EQ(colour.b, 0);
    }
    for (const glm::ivec2& outside :
         {glm::ivec2(586, 538), glm::ivec2(643, 538), glm::ivec2(614, 519), glm::ivec2(614, 556)}) {
        EXPECT_EQ(pixel(outside.x, outside.y), glm::ivec3(0)) << outside.x << "," << outside.y;
    }
}

TEST_F(TextOverlayGL, EmptyTextOrAMissingFontSheetDrawsNothingAndNoErrors) {
    TextOverlay empty;
    EXPECT_FALSE(empty.visible);
    empty.setText("", 0, 0.3f);
    EXPECT_TRUE(empty.visible);
    EXPECT_EQ(empty.count, 0);
    draw(empty);

    testing::internal::CaptureStderr();
    TextOverlay unfont("Sprites/no_such_font.tga");
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "particle tex file not found at: Sprites/no_such_font.tga\n");
    glBindTexture(GL_TEXTURE_2D, unfont.fontTexture);
    EXPECT_EQ(testsupport::texLevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 1);
    glBindTexture(GL_TEXTURE_2D, 0);
    unfont.setText("ABC", 0, 0.8f);
    draw(unfont);
    EXPECT_EQ(litOutside(readRed(), {}), 0);
}

// The sheet's texture outlives the overlay that made it while another still
// draws from it, and goes with the last one.
TEST_F(TextOverlayGL, OverlaysShareTheSheetsTextureUntilTheLastGoes) {
    auto first = std::make_unique<TextOverlay>();
    auto second = std::make_unique<TextOverlay>();
    const GLuint texture = first->fontTexture;
    EXPECT_EQ(second->fontTexture, texture);
    first.reset();
    second->setText("A", 1, 0.3f);
    draw(*second);
    EXPECT_GT(brightIn(readRed(), glyphBox(0, 1, 0.3f)), 15);
    second.reset();
    EXPECT_EQ(glIsTexture(texture), GL_FALSE);
}

TEST_F(TextOverlayGL, TextPassFollowsTheLoopsTexts) {
    OverlayText message;
    OverlayText fps;
    message.setText("A", 1, 0.3f);
    drawTextOverlays(message, fps, projection, program);
    EXPECT_EQ(litOutside(readRed(), {}), 0) << "nothing is drawn before the overlays are made";
    createTextOverlays();
    drawTextOverlays(message, fps, projection, program);
    std::vector<unsigned char> red = readRed();
    EXPECT_GT(brightIn(red, glyphBox(0, 1, 0.3f)), 15);
    EXPECT_EQ(litOutside(red, {glyphBox(0, 1, 0.3f)}), 0); // the hidden fps line stays off

    // A changed text is laid out again; the statistics line shows once set.
    clear();
    message.setText(" A", 1, 0.3f);
    fps.setText("9", 0, 0.3f);
    drawTextOverlays(message, fps, projection, program);
    red = readRed();
    EXPECT_EQ(brightIn(red, glyphBox(0, 1, 0.3f)), 0);
    EXPECT_GT(brightIn(red, glyphBox(1, 1, 0.3f)), 15);
    EXPECT_GT(brightIn(red, glyphBox(0, 0, 0.3f)), 15);

    clear();
    message.visible = false;
    fps.visible = false;
    drawTextOverlays(message, fps, projection, program);
    EXPECT_EQ(litOutside(readRed(), {}), 0);
}

} // namespace
