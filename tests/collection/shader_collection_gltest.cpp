#include "collection/shader_collection.h"
#include "support/gl_context.h"
#include "support/test_shaders.h"

#include <gtest/gtest.h>

#include <iterator>
#include <sstream>
#include <string>
#include <vector>

using collection::AttribSlot;
using collection::ShaderCollection;
using collection::UniformSlot;
using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

std::vector<std::string> words(const char* text) {
    std::istringstream in(text);
    return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

// The table orders as the draws index them, written out independently of the
// collection's own list.
const std::vector<std::string> kUniformOrder =
    words("mvMat vMat projMat mode color interpolate dt updatetime nrLights energy ld ld2 ld3 ld4 "
          "ld5 tex0 tex1 tex2 fontTexture lightDirection particleTexture transMat invTransMat m "
          "type fboTex0 fboTex1 fboTex2 windowSize lightPos envMap tint lightTint glowTint");
const std::vector<std::string> kAttribOrder =
    words("in_Position in_Normal in_TexCoord in_Velocity in_Params in_Position_Target "
          "in_Normal_Target in_Font");

class ShaderCollectionTest : public testing::Test {
protected:
    void SetUp() override {
        testsupport::requireGLContext();
        folder.writeProgram("all", testfiles::kAllNamesVertex, testfiles::kAllNamesFragment);
        folder.writeProgram("flat", testfiles::kFlatVertex, testfiles::kFlatFragment);
    }
    void TearDown() override { ShaderCollection::destroyInstance(); }

    testfiles::WorkingFolder folder;
};

} // namespace

TEST_F(ShaderCollectionTest, ReadsProgramsFromTheShaderFolder) {
    auto* shaders = ShaderCollection::getInstance();
    CaptureStderr();
    shaders->addProgram(1, "flat");
    shaders->addProgram(2, "missing");
    EXPECT_EQ(GetCapturedStderr(), "Vertex shader file Shaders/150/missing.vert does not exist.\n");
    ASSERT_NE(shaders->getProgram(1), nullptr);
    EXPECT_TRUE(shaders->getProgram(1)->isLinked());
    EXPECT_EQ(shaders->getProgram(1)->getId(), 1);
    // A program that did not build stays registered.
    ASSERT_NE(shaders->getProgram(2), nullptr);
    EXPECT_EQ(shaders->getProgram(2)->getProgramId(), 0u);
    EXPECT_EQ(shaders->getProgram(5), nullptr);
}

TEST_F(ShaderCollectionTest, AddingATakenIdKeepsTheFirstProgramSilently) {
    auto* shaders = ShaderCollection::getInstance();
    shaders->addProgram(4, "flat");
    ShaderProgram* first = shaders->getProgram(4);
    CaptureStdout();
    CaptureStderr();
    shaders->addProgram(4, "all");
    shaders->addProgram(4, "missing");
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_EQ(shaders->getProgram(4), first);
    EXPECT_EQ(first->getUniformLocation("m"), -1); // still the "flat" program
}

TEST_F(ShaderCollectionTest, LocatesEveryNameInSlotOrderAndNamesAProgramLacksStayMinusOne) {
    // Ids 0 and 3 to 8 "all", 1 "flat", 2 a program without files.
    auto* shaders = ShaderCollection::getInstance();
    for (int id = 0; id < ShaderCollection::kProgramCount; ++id) {
        shaders->addProgram(id, id == 1 ? "flat" : id == 2 ? "missing" : "all");
    }
    shaders->locateVariables();
    const GLuint all = shaders->getProgram(6)->getProgramId();
    const collection::UniformRow& uniforms = shaders->uniforms(6);
    ASSERT_EQ(kUniformOrder.size(), collection::kUniformSlotCount);
    ASSERT_EQ(kAttribOrder.size(), collection::kAttribSlotCount);
    for (std::size_t slot = 0; slot < collection::kUniformSlotCount; ++slot) {
        const GLint expected = glGetUniformLocation(all, kUniformOrder[slot].c_str());
        EXPECT_NE(expected, -1) << kUniformOrder[slot];
        EXPECT_EQ(uniforms.locations[slot], expected) << kUniformOrder[slot];
    }
    const collection::AttribRow& attribs = shaders->attribs(6);
    for (std::size_t slot = 0; slot < collection::kAttribSlotCount; ++slot) {
        const GLint expected = glGetAttribLocation(all, kAttribOrder[slot].c_str());
        EXPECT_NE(expected, -1) << kAttribOrder[slot];
        EXPECT_EQ(attribs.locations[slot], expected) << kAttribOrder[slot];
    }
    EXPECT_EQ(uniforms[UniformSlot::m], glGetUniformLocation(all, "m"));

    // Names a program lacks stay -1.
    const collection::UniformRow& flat = shaders->uniforms(1);
    EXPECT_EQ(flat[UniformSlot::m], -1);
    EXPECT_EQ(flat[UniformSlot::envMap], -1);
    EXPECT_NE(flat[UniformSlot::mvMat], -1);
    EXPECT_NE(flat[UniformSlot::color], -1);
    EXPECT_NE(shaders->attribs(1)[AttribSlot::inPosition], -1);
    EXPECT_EQ(shaders->attribs(1)[AttribSlot::inNormal], -1);
    // The program that did not build: nothing at all, and no GL error.
    for (GLint location : shaders->uniforms(2).locations) {
        EXPECT_EQ(location, -1);
    }
    for (GLint location : shaders->attribs(2).locations) {
        EXPECT_EQ(location, -1);
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderCollectionTest, VariantsAreTheBaseFilesWithDefinesUnderIdsAboveTheNine) {
    // "m" exists only where WITH_M is defined; BROKEN does not compile.
    folder.writeProgram("opt", testfiles::kFlatVertex, R"(#version 150
uniform float m;
out vec4 fragColor;
void main() {
#ifdef BROKEN
    broken;
#endif
#ifdef WITH_M
    fragColor = vec4(m);
#else
    fragColor = vec4(1.0);
#endif
}
)");
    auto* shaders = ShaderCollection::getInstance();
    shaders->addProgram(3, "opt");
    shaders->addVariant(3, 7, "#define WITH_M\n");
    shaders->addVariant(3, 7, "#define BROKEN\n"); // a taken key keeps its variant
    CaptureStdout();
    CaptureStderr();
    shaders->addVariant(3, 8, "#define BROKEN\n");
    GetCapturedStdout();
    EXPECT_EQ(GetCapturedStderr().rfind(
                  "Fragment shader file Shaders/150/opt.frag does not compile.\n", 0),
              0u);
    shaders->addVariant(5, 7, "#define WITH_M\n"); // no base 5: nothing
    shaders->addProgram(6, "missing");
    CaptureStderr();
    shaders->addVariant(6, 7, "#define WITH_M\n"); // a broken base: not said again
    EXPECT_EQ(GetCapturedStderr(), "");
    shaders->locateVariables();

    ShaderProgram* base = shaders->getProgram(3);
    ShaderProgram* withM = shaders->variant(base, 7);
    ASSERT_NE(withM, base);
    EXPECT_GE(withM->getId(), ShaderCollection::kProgramCount);
    EXPECT_NE(shaders->uniforms(withM->getId())[UniformSlot::m], -1);
    EXPECT_EQ(shaders->uniforms(3)[UniformSlot::m], -1);
    // A variant that did not build, or a key never added, draws with the base.
    EXPECT_EQ(shaders->variant(base, 8), base);
    EXPECT_EQ(shaders->variant(base, 9), base);
    EXPECT_EQ(shaders->variantsOf(3).size(), 2u);
    EXPECT_TRUE(shaders->variantsOf(5).empty());
    EXPECT_TRUE(shaders->variantsOf(6).empty());
}
