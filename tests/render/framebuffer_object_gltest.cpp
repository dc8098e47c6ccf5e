#include "collection/shader_collection.h"
#include "render/effect_buffers.h"
#include "render/framebuffer_object.h"
#include "support/gl_context.h"
#include "support/test_shaders.h"

#include <glm/glm.hpp>
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>
#include <vector>

using collection::ShaderCollection;

namespace {

constexpr const char* kFactorMessage = "Factor cannot be 0 and must be multiple of 2\n";

using Size = std::pair<int, int>; // width, height

Size colorTextureSize(const FramebufferObject& fbo) {
    glBindTexture(GL_TEXTURE_2D, fbo.colorTexture());
    const Size size(testsupport::texLevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH),
                    testsupport::texLevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT));
    glBindTexture(GL_TEXTURE_2D, 0);
    return size;
}

bool isCompleteNow(const FramebufferObject& fbo) {
    glBindFramebuffer(GL_FRAMEBUFFER, fbo.getFboId());
    const bool complete = glCheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return complete;
}

GLint boundTexture2D() {
    return testsupport::glInteger(GL_TEXTURE_BINDING_2D);
}

GLint activeUnit() {
    return testsupport::glInteger(GL_ACTIVE_TEXTURE) - GL_TEXTURE0;
}

} // namespace

TEST(FramebufferObject, TheFiveBuffersOfAThousandByHundredFiftyWindow) {
    testsupport::requireGLContext();
    testing::internal::CaptureStdout();
    auto buffers = std::make_unique<EffectBuffers>(1000, 750);
    testing::internal::GetCapturedStdout();

    struct Expected {
        const FramebufferObject* fbo;
        Size size;
    };
    const std::array<Expected, 5> expected{{{buffers->pickerFbo.get(), {250, 187}},
                                            {buffers->lightshaftFbo.get(), {500, 375}},
                                            {buffers->sceneFbo.get(), {1000, 750}},
                                            {buffers->bloomFboA.get(), {125, 93}},
                                            {buffers->bloomFboB.get(), {125, 93}}}};
    std::vector<GLuint> framebuffers;
    for (const Expected& e : expected) {
        EXPECT_EQ(Size(e.fbo->getWidth(), e.fbo->getHeight()), Size(1000, 750));
        EXPECT_EQ(colorTextureSize(*e.fbo), e.size);
        EXPECT_EQ(Size(e.fbo->reducedWidth(), e.fbo->reducedHeight()), e.size);
        EXPECT_TRUE(e.fbo->isComplete());
        EXPECT_TRUE(isCompleteNow(*e.fbo));
        framebuffers.push_back(e.fbo->getFboId());
    }
    // Only the light-shaft buffer has two textures (the frame check's log
    // holds the line that tells their ids).
    EXPECT_NE(buffers->lightshaftFbo->depthTextureId(), 0u);
    EXPECT_EQ(buffers->sceneFbo->depthTextureId(), 0u);

    // Their five lines at exit are the end-to-end start-up test's.
    testing::internal::CaptureStdout();
    buffers.reset();
    testing::internal::GetCapturedStdout();
    for (GLuint id : framebuffers) {
        EXPECT_FALSE(glIsFramebuffer(id));
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(FramebufferObject, DepthTextureReadsPlainValues) {
    testsupport::requireGLContext();
    testing::internal::CaptureStdout();
    FramebufferObject fbo(64, 32, 2, true, true);
    testing::internal::GetCapturedStdout();
    glBindTexture(GL_TEXTURE_2D, fbo.depthTextureId());
    EXPECT_EQ(testsupport::texParameter(GL_TEXTURE_2D, GL_TEXTURE_COMPARE_MODE), 0);
    EXPECT_EQ(testsupport::texLevelParameter(GL_TEXTURE_2D, 0, GL_TEXTURE_INTERNAL_FORMAT),
              GL_DEPTH_COMPONENT24);
    glBindTexture(GL_TEXTURE_2D, 0);
}

TEST(FramebufferObject, OnlyOneAndPositiveMultiplesOfTwoAreFactors) {
    testsupport::requireGLContext();
    for (int factor : {3, 0, -2}) {
        testing::internal::CaptureStdout();
        {
            FramebufferObject fbo(1000, 750, factor, true, true);
            EXPECT_EQ(testing::internal::GetCapturedStdout(), kFactorMessage) << factor;
            EXPECT_FALSE(fbo.isComplete());
            EXPECT_EQ(fbo.getFboId(), 0u);
            EXPECT_EQ(fbo.colorTexture(), 0u);
            testing::internal::CaptureStdout();
        }
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "deleting framebuffer object\n");
    }
    testing::internal::CaptureStdout();
    FramebufferObject whole(40, 30, 1, false, false);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_TRUE(whole.isComplete());
    EXPECT_EQ(whole.getFactor(), 1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST(FramebufferObject, AnIncompleteBufferIsReportedAndNotLeftBound) {
    testsupport::requireGLContext();
    // An eighth of a 4-pixel window has no pixels at all.
    testing::internal::CaptureStdout();
    FramebufferObject empty(4, 4, 8, false, false);
    const std::string report = testing::internal::GetCapturedStdout();
    EXPECT_FALSE(empty.isComplete());
    EXPECT_TRUE(report.rfind("Framebuffer incomplete", 0) == 0 ||
                report.rfind("FRAMEBUFFER INCOMPLETE, ERROR CODE: ", 0) == 0 ||
                report == "Unsupported framebuffer format\n")
        << report;
    EXPECT_EQ(testsupport::glInteger(GL_FRAMEBUFFER_BINDING), 0);
    glGetError(); // zero-sized images may leave an error; it is not the next test's
}

class BindTextureTest : public testing::Test {
protected:
    void SetUp() override {
        testsupport::requireGLContext();
        folder.writeProgram("all", testfiles::kAllNamesVertex, testfiles::kAllNamesFragment);
        auto* shaders = ShaderCollection::getInstance();
        shaders->addProgram(kAll, "all");
        shaders->locateVariables();
        testing::internal::CaptureStdout();
        fbo = std::make_unique<FramebufferObject>(64, 48, 2, true, true);
        testing::internal::GetCapturedStdout();
        // Samplers of different types may not share a unit when validated.
        preset("envMap", 7);
    }

    void TearDown() override {
        fbo.reset();
        glActiveTexture(GL_TEXTURE0);
        ShaderCollection::destroyInstance();
    }

    ShaderProgram* all() { return ShaderCollection::getInstance()->getProgram(kAll); }
    // Clears the colour texture's first level to one colour.
    void fill(glm::vec3 colour) {
        glBindFramebuffer(GL_FRAMEBUFFER, fbo->getFboId());
        glViewport(0, 0, fbo->reducedWidth(), fbo->reducedHeight());
        glClearColor(colour.r, colour.g, colour.b, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }
    void preset(const char* name, int value) {
        glUseProgram(all()->getProgramId());
        glUniform1i(all()->getUniformLocation(name), value);
        glUseProgram(0);
    }
    int uniformInt(const char* name) {
        GLint value = -99;
        glGetUniformiv(all()->getProgramId(), all()->getUniformLocation(name), &value);
        return value;
    }
    std::array<float, 2> windowSize() {
        std::array<float, 2> value{};
        glGetUniformfv(all()->getProgramId(), all()->getUniformLocation("windowSize"),
                       value.data());
        return value;
    }

    static constexpr int kAll = 0;
    testfiles::WorkingFolder folder;
    std::unique_ptr<FramebufferObject> fbo;
};

TEST_F(BindTextureTest, UnitZeroBindsTheColourWithFreshMipmapsOrKeepingThem) {
    // Fill the colour texture with one colour; only a rebuilt mip chain has
    // it in level 1 too.
    fill({0.2f, 0.4f, 0.6f});
    glActiveTexture(GL_TEXTURE3);

    fbo->bindTexture(all(), 0);

    EXPECT_EQ(activeUnit(), 0);
    EXPECT_EQ(static_cast<GLuint>(boundTexture2D()), fbo->colorTexture());
    std::vector<unsigned char> level1(16 * 12 * 4);
    glGetTexImage(GL_TEXTURE_2D, 1, GL_RGBA, GL_UNSIGNED_BYTE, level1.data());
    EXPECT_NEAR(level1[0], 51, 2);
    EXPECT_NEAR(level1[1], 102, 2);
    EXPECT_NEAR(level1[2], 153, 2);
    EXPECT_EQ(uniformInt("fboTex0"), 0);
    EXPECT_EQ(windowSize(), (std::array<float, 2>{32.0f, 24.0f}));
    EXPECT_EQ(testsupport::glInteger(GL_CURRENT_PROGRAM), 0);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    const auto redOf = [](int level, int texels) {
        std::vector<unsigned char> pixels(static_cast<std::size_t>(texels) * 4);
        glGetTexImage(GL_TEXTURE_2D, level, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return static_cast<int>(pixels[0]);
    };
    fill({0.8f, 0.0f, 0.0f}); // kept mipmaps leave level one as it was
    preset("fboTex0", 4);
    glActiveTexture(GL_TEXTURE3);

    fbo->bindColourKeepingMipmaps(all());

    EXPECT_EQ(activeUnit(), 0);
    EXPECT_EQ(static_cast<GLuint>(boundTexture2D()), fbo->colorTexture());
    EXPECT_NEAR(redOf(0, 32 * 24), 204, 2);
    EXPECT_NEAR(redOf(1, 16 * 12), 51, 2);
    EXPECT_EQ(uniformInt("fboTex0"), 0);
    EXPECT_EQ(windowSize(), (std::array<float, 2>{32.0f, 24.0f}));
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(BindTextureTest, UnitOneBindsTheDepthAndStaysActive) {
    preset("fboTex1", 5);
    glActiveTexture(GL_TEXTURE0);

    fbo->bindTexture(all(), 1);

    EXPECT_EQ(activeUnit(), 1);
    EXPECT_EQ(static_cast<GLuint>(boundTexture2D()), fbo->depthTextureId());
    EXPECT_EQ(uniformInt("fboTex1"), 1);
    EXPECT_EQ(windowSize()[0], 32.0f);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(BindTextureTest, UnitTwoAndOthersOnlyChooseAUnit) {
    preset("fboTex0", 4);
    preset("fboTex1", 5);
    glActiveTexture(GL_TEXTURE0);

    fbo->bindTexture(all(), 2);
    EXPECT_EQ(activeUnit(), 2);
    EXPECT_EQ(boundTexture2D(), 0);

    fbo->bindTexture(all(), 6);
    EXPECT_EQ(activeUnit(), 0);
    EXPECT_EQ(boundTexture2D(), 0);

    EXPECT_EQ(uniformInt("fboTex0"), 4);
    EXPECT_EQ(uniformInt("fboTex1"), 5);
    EXPECT_EQ(windowSize()[0], 0.0f);
}
