#include "collection/shader_collection.h"
#include "render/framebuffer_object.h"
#include "render/lens_flare.h"
#include "render/light.h"
#include "support/gl_context.h"
#include "support/test_shaders.h"
#include "support/tga_writer.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <array>

using collection::ShaderCollection;

namespace {

constexpr int kLensflareId = 6;
constexpr int kSize = 200;

// A 2 x 2 sheet of plain opaque cells: top-left blue, top-right and
// bottom-left green, bottom-right red.
std::string cellSheet() {
    std::vector<std::uint8_t> pixels;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const int cell = (y / 4) * 2 + x / 4;
            const std::array<std::uint8_t, 4> colour =
                cell == 0   ? std::array<std::uint8_t, 4>{0, 0, 255, 255}
                : cell == 3 ? std::array<std::uint8_t, 4>{255, 0, 0, 255}
                            : std::array<std::uint8_t, 4>{0, 255, 0, 255};
            pixels.insert(pixels.end(), colour.begin(), colour.end());
        }
    }
    return testfiles::tgaImage(8, 8, 4, pixels);
}

struct Rgb {
    int r, g, b;
    int sum() const { return r + g + b; }
};

class LensFlareTest : public testing::Test {
protected:
    void SetUp() override {
        testsupport::requireGLContext();
        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
        folder.copyGameShaders({"lensflare.vert", "lensflare.geom", "lensflare.frag"});
        testing::internal::CaptureStdout();
        ShaderCollection::getInstance()->addProgram(kLensflareId, "lensflare");
        ShaderCollection::getInstance()->locateVariables();
        testing::internal::GetCapturedStdout();
        ASSERT_TRUE(program()->isLinked());
        target = std::make_unique<FramebufferObject>(kSize, kSize, 1, false, false);
    }

    void TearDown() override {
        testing::internal::CaptureStdout();
        target.reset();
        testing::internal::GetCapturedStdout();
        ShaderCollection::destroyInstance();
        Light::destroyInstance();
        glBindVertexArray(0);
        glDeleteVertexArrays(1, &vertexArray);
    }

    ShaderProgram* program() { return ShaderCollection::getInstance()->getProgram(kLensflareId); }

    // Draws the flare of a main light at lightPosition, seen from the origin
    // looking down -z, into the cleared target.
    void drawWithLightAt(LensFlare& flare, glm::vec3 lightPosition) {
        Light::getInstance()->update(lightPosition, 0.0);
        glBindFramebuffer(GL_FRAMEBUFFER, target->getFboId());
        glViewport(0, 0, kSize, kSize);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
        flare.draw(view, projection, program());
        glEnable(GL_DEPTH_TEST);
        pixels.resize(kSize * kSize * 4);
        glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }

    // The pixel at normalised device coordinates (x, y).
    Rgb at(float x, float y) const {
        const int px = std::clamp(static_cast<int>((x * 0.5f + 0.5f) * kSize), 0, kSize - 1);
        const int py = std::clamp(static_cast<int>((y * 0.5f + 0.5f) * kSize), 0, kSize - 1);
        const std::uint8_t* p = &pixels[(static_cast<std::size_t>(py) * kSize + px) * 4];
        return {p[0], p[1], p[2]};
    }

    int litPixels() const {
        int lit = 0;
        for (std::size_t i = 0; i < pixels.size(); i += 4) {
            lit += pixels[i] + pixels[i + 1] + pixels[i + 2] > 30 ? 1 : 0;
        }
        return lit;
    }

    // A world point that the projection puts at (x, y) on the screen.
    glm::vec3 onScreen(float x, float y) const {
        const glm::vec4 eye = glm::inverse(projection) * glm::vec4(x, y, 0.5f, 1.0f);
        return glm::vec3(eye) / eye.w * 50.0f;
    }

    testfiles::WorkingFolder folder;
    GLuint vertexArray = 0;
    std::unique_ptr<FramebufferObject> target;
    std::vector<std::uint8_t> pixels;
    glm::mat4 view = glm::lookAt(glm::vec3(0.0f), glm::vec3(0.0f, 0.0f, -1.0f), glm::vec3(0, 1, 0));
    glm::mat4 projection = glm::perspective(glm::radians(20.0f), 1.0f, 1.0f, 3.0f);
};

} // namespace

TEST_F(LensFlareTest, SpritesLieOnTheLineFromTheLightThroughTheCentre) {
    folder.dir.write(LensFlare::kSheetPath, cellSheet());
    LensFlare flare;
    drawWithLightAt(flare, onScreen(0.5f, 0.4f));

    // On the light: the bright red sprite; beyond the centre, the others.
    const Rgb onLight = at(0.5f, 0.4f);
    EXPECT_GT(onLight.r, 120);
    EXPECT_LT(onLight.g + onLight.b, 60);
    EXPECT_GT(at(-0.3f, -0.24f).sum(), 60);
    const Rgb far = at(-0.7f, -0.56f);
    EXPECT_GT(far.b, 30);
    EXPECT_LT(far.r + far.g, 30);
    // Off the line nothing shines.
    for (glm::vec2 off : {glm::vec2(0.6f, -0.6f), glm::vec2(-0.6f, 0.6f), glm::vec2(0.95f)}) {
        EXPECT_EQ(at(off.x, off.y).sum(), 0) << off.x << ", " << off.y;
    }

    // The draw leaves no program, texture or attribute behind.
    EXPECT_EQ(testsupport::glInteger(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(testsupport::glInteger(GL_TEXTURE_BINDING_2D), 0);
    const GLint position =
        ShaderCollection::getInstance()->attribs(kLensflareId)[collection::AttribSlot::inPosition];
    ASSERT_NE(position, -1);
    GLint enabled = 1;
    glGetVertexAttribiv(static_cast<GLuint>(position), GL_VERTEX_ATTRIB_ARRAY_ENABLED, &enabled);
    EXPECT_EQ(enabled, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// Off screen means beyond four half screens from the centre.
TEST_F(LensFlareTest, NoFlareForALightBehindTheCameraOrFarOffScreen) {
    EXPECT_TRUE(LensFlare::isNearScreen(view, projection, onScreen(3.9f, -3.9f)));
    EXPECT_FALSE(LensFlare::isNearScreen(view, projection, onScreen(4.1f, 0.0f)));
    EXPECT_FALSE(LensFlare::isNearScreen(view, projection, onScreen(0.0f, -4.1f)));
    folder.dir.write(LensFlare::kSheetPath, cellSheet());
    LensFlare flare;
    for (glm::vec3 light : {glm::vec3(5.0f, 3.0f, 40.0f), onScreen(3.0f, 0.0f)}) {
        drawWithLightAt(flare, light);
        EXPECT_EQ(litPixels(), 0);
    }
    drawWithLightAt(flare, onScreen(0.0f, 0.0f));
    EXPECT_GT(litPixels(), 100);
}

TEST_F(LensFlareTest, AMissingSheetIsReportedAndDrawsNothing) {
    testing::internal::CaptureStderr();
    LensFlare flare;
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "particle tex file not found at: Sprites/splosion_part_sheet4.tga\n");
    glBindTexture(GL_TEXTURE_2D, flare.getFlareTexture());
    EXPECT_EQ(testsupport::texLevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH), 1);
    glBindTexture(GL_TEXTURE_2D, 0);
    drawWithLightAt(flare, onScreen(0.0f, 0.0f));
    EXPECT_EQ(litPixels(), 0);
}
