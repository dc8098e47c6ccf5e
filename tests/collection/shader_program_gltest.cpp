#include "collection/shader_program.h"
#include "support/gl_context.h"
#include "support/scratch_dir.h"
#include "support/test_shaders.h"

#include <gtest/gtest.h>

using testing::internal::CaptureStderr;
using testing::internal::CaptureStdout;
using testing::internal::GetCapturedStderr;
using testing::internal::GetCapturedStdout;

namespace {

// Passes the triangles on as they are.
constexpr const char* kGeometry = R"(#version 150
layout(triangles) in;
layout(triangle_strip, max_vertices = 3) out;
void main() {
    for (int i = 0; i < 3; ++i) {
        gl_Position = gl_in[i].gl_Position;
        EmitVertex();
    }
    EndPrimitive();
}
)";

class ShaderProgramTest : public testing::Test {
protected:
    void SetUp() override { testsupport::requireGLContext(); }

    // Writes the given stages of program "p" (null: no file) and returns the
    // base path.
    std::string writeStages(const char* vert, const char* geom, const char* frag) {
        for (const auto& [name, text] :
             {std::pair{"p.vert", vert}, {"p.geom", geom}, {"p.frag", frag}}) {
            if (text != nullptr) {
                dir.write(name, text);
            }
        }
        return dir.file("p");
    }

    testsupport::ScratchDir dir;
};

} // namespace

TEST_F(ShaderProgramTest, BuildsTwoStagesAndDeletesOnlyThoseTwo) {
    const std::string path = writeStages(testfiles::kFlatVertex, nullptr, testfiles::kFlatFragment);
    CaptureStdout();
    CaptureStderr();
    auto* program = new ShaderProgram(path, 2);
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_EQ(GetCapturedStderr(), "");
    ASSERT_TRUE(program->isLinked());
    EXPECT_FALSE(program->hasGeometryStage());
    EXPECT_EQ(program->getGeometryShader(), 0u);
    EXPECT_EQ(program->getId(), 2);
    const GLuint programId = program->getProgramId();
    const GLuint vertex = program->getVertexShader();
    const GLuint fragment = program->getFragmentShader();
    EXPECT_TRUE(glIsProgram(programId));
    EXPECT_TRUE(glIsShader(vertex));
    EXPECT_TRUE(glIsShader(fragment));
    EXPECT_NE(program->getAttribLocation("in_Position"), -1);
    delete program;
    EXPECT_FALSE(glIsProgram(programId));
    EXPECT_FALSE(glIsShader(vertex));
    EXPECT_FALSE(glIsShader(fragment));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ShaderProgramTest, BuildsThreeStagesWithAGeometryFile) {
    const std::string path =
        writeStages(testfiles::kFlatVertex, kGeometry, testfiles::kFlatFragment);
    CaptureStdout();
    ShaderProgram program(path, 0);
    EXPECT_EQ(GetCapturedStdout(), "Geometry shader file " + path + ".geom loaded.\n");
    ASSERT_TRUE(program.isLinked());
    EXPECT_TRUE(program.hasGeometryStage());
    GLint attached = 0;
    glGetProgramiv(program.getProgramId(), GL_ATTACHED_SHADERS, &attached);
    EXPECT_EQ(attached, 3);
    EXPECT_TRUE(glIsShader(program.getGeometryShader()));
}

TEST_F(ShaderProgramTest, MissingVertexFileStopsBeforeTheOthersAndAMissingFragmentIsReported) {
    // No fragment file either: only the vertex line may appear.
    const std::string path = writeStages(nullptr, nullptr, nullptr);
    CaptureStdout();
    CaptureStderr();
    ShaderProgram program(path, 1);
    EXPECT_EQ(GetCapturedStderr(), "Vertex shader file " + path + ".vert does not exist.\n");
    EXPECT_EQ(GetCapturedStdout(), "");
    EXPECT_FALSE(program.isLinked());
    EXPECT_EQ(program.getProgramId(), 0u);
    EXPECT_EQ(program.getVertexShader(), 0u);
    EXPECT_EQ(program.getUniformLocation("anything"), -1);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    writeStages(testfiles::kFlatVertex, nullptr, nullptr);
    CaptureStderr();
    ShaderProgram withoutFragment(path, 1);
    EXPECT_EQ(GetCapturedStderr(), "Fragment shader file " + path + ".frag does not exist.\n");
    EXPECT_FALSE(withoutFragment.isLinked());
    EXPECT_EQ(withoutFragment.getVertexShader(), 0u);
}

TEST_F(ShaderProgramTest, CompileErrorPrintsItsLogAndLinkingThenFails) {
    const std::string path =
        writeStages(testfiles::kFlatVertex, nullptr, "#version 150\nvoid main() { oops }\n");
    CaptureStdout();
    CaptureStderr();
    ShaderProgram program(path, 4);
    const std::string out = GetCapturedStdout();
    EXPECT_EQ(GetCapturedStderr(), "Fragment shader file " + path + ".frag does not compile.\n" +
                                       "Shader program " + path + " does not link: " + path +
                                       ".vert, " + path + ".frag.\n");
    const std::string compileLine = "Shader compilation failed.\n";
    ASSERT_EQ(out.rfind(compileLine, 0), 0u) << out;
    // The compiler's log follows as its own text, then the link report.
    const std::size_t linkLine = out.find("Shader linking failed. ID 4 path " + path + "\n");
    ASSERT_NE(linkLine, std::string::npos) << out;
    EXPECT_GT(linkLine, compileLine.size());
    EXPECT_FALSE(program.isLinked());
    EXPECT_EQ(program.getProgramId(), 0u);
    // The failed stage still has its object, to be deleted with the program.
    EXPECT_TRUE(glIsShader(program.getFragmentShader()));
}

TEST_F(ShaderProgramTest, LinkErrorDeletesTheProgramAndNamesItsFiles) {
    // Both stages compile; the vertex stage has no main, which only the
    // linker notices, so only the link line can point at its file.
    const std::string path =
        writeStages("#version 150\nin vec3 in_Position;\n", kGeometry, testfiles::kFlatFragment);
    CaptureStdout();
    CaptureStderr();
    ShaderProgram program(path, 7);
    const std::string out = GetCapturedStdout();
    EXPECT_EQ(GetCapturedStderr(), "Shader program " + path + " does not link: " + path +
                                       ".vert, " + path + ".geom, " + path + ".frag.\n");
    EXPECT_EQ(out.find("Shader compilation failed."), std::string::npos) << out;
    EXPECT_NE(out.find("Shader linking failed. ID 7 path " + path + "\n"), std::string::npos)
        << out;
    EXPECT_FALSE(program.isLinked());
    EXPECT_EQ(program.getProgramId(), 0u);
    EXPECT_TRUE(glIsShader(program.getVertexShader()));
}
