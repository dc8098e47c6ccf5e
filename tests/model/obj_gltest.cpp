#include "collection/obj_collection.h"
#include "collection/shader_collection.h"
#include "collection/texure_collection.h"
#include "collection/vbo_collection.h"
#include "model/light_looks.h"
#include "model/obj_anim.h"
#include "platform/glfw_compat.h"
#include "render/light.h"
#include "support/gl_context.h"
#include "support/test_shaders.h"
#include "support/tga_writer.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <type_traits>

using collection::ShaderCollection;
using collection::UniformSlot;

namespace {

constexpr int kAllProgram = 0;
constexpr int kFlatProgram = 1;
constexpr int kMorphProgram = 2;
constexpr int kWidth = 320;
constexpr int kHeight = 240;

// One triangle larger than the whole clip space.
constexpr const char* kScreenTriangle = "v -1 -1 0\nv 3 -1 0\nv -1 3 0\nvt 0 0\nf 1/1/ 2/1/ 3/1/\n";
// Shape 1 covers the lower left corner, shape 2 the upper right one.
constexpr const char* kLowerLeft = "v -1 -1 0\nv 0 -1 0\nv -1 0 0\nf 1 2 3\n";
constexpr const char* kUpperRight = "v 1 1 0\nv 0 1 0\nv 1 0 0\nf 1 2 3\n";

class ObjDrawTest : public testing::Test {
protected:
    void SetUp() override {
        testsupport::requireGLContext(kWidth, kHeight);
        glGenVertexArrays(1, &vertexArray);
        glBindVertexArray(vertexArray);
        folder.writeProgram("all", testfiles::kAllNamesVertex, testfiles::kAllNamesFragment);
        folder.writeProgram("flat", testfiles::kFlatVertex, testfiles::kFlatFragment);
        folder.writeProgram("morph", testfiles::kMorphVertex, testfiles::kFlatFragment);
        auto* shaders = ShaderCollection::getInstance();
        shaders->addProgram(kAllProgram, "all");
        shaders->addProgram(kFlatProgram, "flat");
        shaders->addProgram(kMorphProgram, "morph");
        for (int id = 3; id < ShaderCollection::kProgramCount; ++id) {
            shaders->addProgram(id, "all");
        }
        shaders->locateVariables();
        // A cube sampler may not share its unit with the 2D samplers.
        preset(kAllProgram, "envMap", 1);
        Light::getInstance()->update(mainLight, 0.0);
        glViewport(0, 0, kWidth, kHeight);
    }

    void TearDown() override {
        collection::VBOCollection::destroyInstance();
        collection::ObjCollection::destroyInstance();
        collection::TexureCollection::destroyInstance();
        ShaderCollection::destroyInstance();
        Light::destroyInstance();
        glBindVertexArray(0);
        glDeleteVertexArrays(1, &vertexArray);
    }

    ShaderProgram* program(int id) { return ShaderCollection::getInstance()->getProgram(id); }
    GLint location(int id, UniformSlot slot) {
        return ShaderCollection::getInstance()->uniforms(id)[slot];
    }
    glm::mat4 uniformMatrix(int id, UniformSlot slot) {
        glm::mat4 value(0.0f);
        glGetUniformfv(program(id)->getProgramId(), location(id, slot), glm::value_ptr(value));
        return value;
    }
    // Reads a GLint, float or glm::vec3 uniform by name.
    template <typename T> T uniform(int id, const char* name) {
        T value{-1};
        const GLuint programId = program(id)->getProgramId();
        const GLint at = glGetUniformLocation(programId, name);
        if constexpr (std::is_same_v<T, GLint>) {
            glGetUniformiv(programId, at, &value);
        } else {
            glGetUniformfv(programId, at, reinterpret_cast<GLfloat*>(&value));
        }
        return value;
    }
    // Sets a GLint or glm::vec3 uniform before a draw, to see whether the draw
    // writes it.
    template <typename T> void preset(int id, const char* name, T value) {
        const GLuint programId = program(id)->getProgramId();
        glUseProgram(programId);
        if constexpr (std::is_same_v<T, GLint>) {
            glUniform1i(glGetUniformLocation(programId, name), value);
        } else {
            glUniform3fv(glGetUniformLocation(programId, name), 1, glm::value_ptr(value));
        }
        glUseProgram(0);
    }

    model::OBJ* makeModel(const std::string& obj, const std::string& texture = "") {
        return collection::VBOCollection::getInstance()->createModel(folder.dir.write("m.obj", obj),
                                                                     texture);
    }

    void draw(model::OBJ* model, int id, int filterMode = 2, int mipmapMode = 10) {
        model->draw(&view, &projection, program(id), filterMode, mipmapMode);
    }

    static glm::u8vec3 pixel(float x, float y) {
        glm::u8vec3 rgb(0);
        glReadPixels(static_cast<GLint>(x * kWidth), static_cast<GLint>(y * kHeight), 1, 1, GL_RGB,
                     GL_UNSIGNED_BYTE, glm::value_ptr(rgb));
        return rgb;
    }

    static void clear() {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    }

    testfiles::WorkingFolder folder;
    GLuint vertexArray = 0;
    glm::vec3 mainLight{-5.0f, 5.0f, -15.0f};
    glm::mat4 view{1.0f};
    glm::mat4 projection{1.0f};
};

} // namespace

TEST_F(ObjDrawTest, UploadsMatricesModeColourAndTime) {
    model::OBJ* model = makeModel(kScreenTriangle);
    model->globalModelMat = glm::translate(glm::mat4(1.0f), glm::vec3(1, 2, 3));
    view = glm::lookAt(glm::vec3(0, 1, 5), glm::vec3(0.0f), glm::vec3(0, 1, 0));
    projection = glm::perspective(glm::radians(60.0f), 4.0f / 3.0f, 0.1f, 100.0f);
    model->setDrawMode(3);
    model->color = glm::vec3(0.25f, 0.5f, 0.75f);
    preset(kAllProgram, "interpolate", 1);
    platform::glfwSetTime(7.9);
    draw(model, kAllProgram);

    EXPECT_EQ(uniformMatrix(kAllProgram, UniformSlot::mvMat), view * model->globalModelMat);
    EXPECT_EQ(uniformMatrix(kAllProgram, UniformSlot::vMat), view);
    EXPECT_EQ(uniformMatrix(kAllProgram, UniformSlot::projMat), glm::transpose(projection));
    EXPECT_EQ(uniform<GLint>(kAllProgram, "mode"), 3);
    EXPECT_EQ(uniform<glm::vec3>(kAllProgram, "color"), model->color);
    EXPECT_EQ(uniform<GLint>(kAllProgram, "interpolate"), 0);
    EXPECT_EQ(uniform<GLint>(kAllProgram, "updatetime"), 7);
    EXPECT_EQ(testsupport::glInteger(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ObjDrawTest, UploadsOnlyTheLightsThereAre) {
    model::OBJ* model = makeModel(kScreenTriangle);
    preset(kAllProgram, "ld2", glm::vec3(9.0f));
    draw(model, kAllProgram);
    EXPECT_EQ(uniform<GLint>(kAllProgram, "nrLights"), 1);
    EXPECT_EQ(uniform<glm::vec3>(kAllProgram, "ld"), mainLight);
    EXPECT_EQ(uniform<glm::vec3>(kAllProgram, "ld2"), glm::vec3(9.0f));
    EXPECT_EQ(uniform<float>(kAllProgram, "energy[0]"), 1.0f);
    EXPECT_EQ(uniform<float>(kAllProgram, "energy[4]"), 2.0f);

    Light::getInstance()->addLight(4, 5, 6);
    Light::getInstance()->update(mainLight, 0.15);
    draw(model, kAllProgram);
    EXPECT_EQ(uniform<GLint>(kAllProgram, "nrLights"), 2);
    EXPECT_EQ(uniform<glm::vec3>(kAllProgram, "ld2"), glm::vec3(4, 5, 6));
    EXPECT_NEAR(uniform<float>(kAllProgram, "energy[1]"), 0.5f, 1e-6);
}

TEST_F(ObjDrawTest, FillsItsTrianglesAndSkipsWhatIsSwitchedOff) {
    model::OBJ* model = makeModel(kScreenTriangle);
    model->color = glm::vec3(1.0f, 0.0f, 1.0f);
    clear();
    draw(model, kFlatProgram);
    EXPECT_EQ(pixel(0.5f, 0.5f), glm::u8vec3(255, 0, 255));

    clear();
    model->status = 3;
    draw(model, kFlatProgram);
    EXPECT_EQ(pixel(0.5f, 0.5f), glm::u8vec3(0));
    model->status = 1;
    model->setDrawStatus(0);
    draw(model, kFlatProgram);
    EXPECT_EQ(pixel(0.5f, 0.5f), glm::u8vec3(0));
}

TEST_F(ObjDrawTest, LeavesOutOnlyModelsWhollyOutsideAPerspectiveView) {
    model::OBJ* model = makeModel(kScreenTriangle); // spans x and y from -1 to 3
    const glm::mat4 perspective = glm::perspective(glm::radians(20.0f), 4.0f / 3.0f, 1.0f, 3.0f);
    const auto outside = [&](glm::vec3 place, const glm::mat4& projMat) {
        return model->outsideView(program(kFlatProgram), glm::translate(glm::mat4(1.0f), place),
                                  projMat);
    };
    EXPECT_FALSE(outside({0, 0, -20}, perspective));
    EXPECT_FALSE(outside({0, 0, 0}, perspective));    // reaches past the near plane
    EXPECT_FALSE(outside({0, 0, -500}, perspective)); // the shaders draw without a far plane
    EXPECT_FALSE(outside({-7, 0, -20}, perspective)); // its right part shows at the left edge
    EXPECT_TRUE(outside({-12, 0, -20}, perspective));
    EXPECT_TRUE(outside({0, 12, -20}, perspective));
    EXPECT_TRUE(outside({0, 0, 10}, perspective)); // behind the eye
    EXPECT_FALSE(outside({0, 0, 10}, glm::ortho(-0.5f, 0.5f, -0.5f, 0.5f, 0.0f, 1.0f)));
    projection = perspective;
    model->setPosition(glm::vec3(0, 0, 10));
    model->update(0.0);
    clear();
    draw(model, kAllProgram);
    EXPECT_EQ(pixel(0.5f, 0.5f), glm::u8vec3(0));
}

TEST_F(ObjDrawTest, AppliesTextureModesOnlyWhenTheyChange) {
    const std::vector<std::uint8_t> pixels(4 * 4 * 3, 128);
    model::OBJ* model =
        makeModel(kScreenTriangle, folder.dir.write("t.tga", testfiles::tgaImage(4, 4, 3, pixels)));
    ASSERT_EQ(model->nrTexLevels, 1);
    const GLuint texture = model->texLevels[0].texture;
    auto filters = [texture] {
        glBindTexture(GL_TEXTURE_2D, texture);
        const std::pair<GLint, GLint> pair(
            testsupport::texParameter(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER),
            testsupport::texParameter(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER));
        glBindTexture(GL_TEXTURE_2D, 0);
        return pair;
    };

    draw(model, kFlatProgram, 1, 10);
    EXPECT_EQ(filters(), std::make_pair(GLint(GL_NEAREST), GLint(GL_NEAREST)));
    EXPECT_EQ(testsupport::glInteger(GL_TEXTURE_BINDING_2D), 0);

    // The same pair again does not touch the texture.
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glBindTexture(GL_TEXTURE_2D, 0);
    draw(model, kFlatProgram, 1, 10);
    EXPECT_EQ(filters().first, GL_LINEAR);

    draw(model, kFlatProgram, 2, 12);
    EXPECT_EQ(filters(), std::make_pair(GLint(GL_LINEAR_MIPMAP_LINEAR), GLint(GL_LINEAR)));
    glBindTexture(GL_TEXTURE_2D, texture);
    EXPECT_EQ(testsupport::texLevelParameter(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH), 2);
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(model->lastFilterMode, 2);
    EXPECT_EQ(model->lastMipmapMode, 12);
}

TEST_F(ObjDrawTest, SamplersGetTheUnitOfTheirLevel) {
    const std::vector<std::uint8_t> pixel{1, 2, 3};
    const std::string base = folder.dir.write("h.tga", testfiles::tgaImage(1, 1, 3, pixel));
    folder.dir.write("h.tga_s", testfiles::tgaImage(1, 1, 3, pixel));
    model::OBJ* model = makeModel(kScreenTriangle, base);
    preset(kAllProgram, "tex1", 7);
    draw(model, kAllProgram);
    EXPECT_EQ(uniform<GLint>(kAllProgram, "tex0"), 0);
    EXPECT_EQ(uniform<GLint>(kAllProgram, "tex1"), 2); // second entry, suffix "_s"
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ObjDrawTest, MorphBlendsFromTheCurrentShapeToTheNext) {
    folder.dir.write("Models/shape.obj", kLowerLeft);
    folder.dir.write("Models/shape_2.obj", kUpperRight);
    ObjAnim* morph =
        collection::VBOCollection::getInstance()->createAnimModel("Models/shape.obj", "", 2);
    morph->color = glm::vec3(0.0f, 1.0f, 0.0f);
    // Placed by its own matrix: a global matrix far away must not matter.
    morph->globalModelMat = glm::translate(glm::mat4(1.0f), glm::vec3(100, 0, 0));
    const glm::u8vec3 green(0, 255, 0);
    const glm::u8vec3 black(0);
    struct Case {
        int frame;
        float dt;
        bool lowerLeft;
    };
    for (const Case& c : {Case{0, 0.0f, true}, Case{0, 1.0f, false}, Case{1, 0.0f, false},
                          Case{1, 1.0f, true}, Case{5, 0.0f, false}}) {
        morph->currentFrame = c.frame;
        morph->dt = c.dt;
        clear();
        draw(morph, kMorphProgram);
        EXPECT_EQ(pixel(0.1f, 0.1f), c.lowerLeft ? green : black)
            << "frame " << c.frame << " dt " << c.dt;
        EXPECT_EQ(pixel(0.9f, 0.9f), c.lowerLeft ? black : green)
            << "frame " << c.frame << " dt " << c.dt;
    }
    EXPECT_EQ(uniform<GLint>(kMorphProgram, "interpolate"), 1);
    EXPECT_EQ(uniform<float>(kMorphProgram, "dt"), 0.0f);
    EXPECT_EQ(uniformMatrix(kMorphProgram, UniformSlot::mvMat), view * morph->localmodelMat);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(ObjDrawTest, WorldModelsDrawWithTheirLookAndMorphsWithTheWholeProgram) {
    auto* shaders = ShaderCollection::getInstance();
    shaders->destroyInstance();
    shaders = ShaderCollection::getInstance();
    shaders->addProgram(model::kLightProgramId, "all");
    const int plainLook = model::lightLookKey(0, false);
    const int announced = model::lightLookKey(6, false);
    shaders->addVariant(model::kLightProgramId, plainLook, "#define PLAIN\n");
    shaders->addVariant(model::kLightProgramId, announced, "#define ANNOUNCED\n");
    shaders->locateVariables();
    ShaderProgram* light = shaders->getProgram(model::kLightProgramId);
    const int plainId = shaders->variant(light, plainLook)->getId();
    const int announcedId = shaders->variant(light, announced)->getId();
    ASSERT_NE(plainId, model::kLightProgramId);
    ASSERT_NE(announcedId, model::kLightProgramId);
    for (const int id : {model::kLightProgramId, plainId, announcedId}) {
        preset(id, "envMap", 1);
    }

    // Left out of the view, the plain model still leaves its lights for the
    // morphing models after it.
    model::OBJ* plain = makeModel(kScreenTriangle);
    plain->setPosition(glm::vec3(0, 0, 10));
    plain->update(0.0);
    folder.dir.write("Models/shape.obj", kLowerLeft);
    folder.dir.write("Models/shape_2.obj", kUpperRight);
    ObjAnim* morph =
        collection::VBOCollection::getInstance()->createAnimModel("Models/shape.obj", "", 2);
    morph->setDrawMode(6);
    Light::getInstance()->addLight(4, 5, 6);
    Light::getInstance()->update(mainLight, 0.15);
    platform::glfwSetTime(3.5);
    projection = glm::perspective(glm::radians(20.0f), 4.0f / 3.0f, 1.0f, 3.0f);
    draw(plain, model::kLightProgramId);
    projection = glm::mat4(1.0f);
    draw(morph, model::kLightProgramId);
    // The morph drew with the whole program, never with its look's variant,
    // and got what the plain model uploaded into its own look's program.
    EXPECT_EQ(uniform<GLint>(announcedId, "mode"), 0);
    EXPECT_EQ(uniform<GLint>(model::kLightProgramId, "mode"), 6);
    EXPECT_EQ(uniform<GLint>(model::kLightProgramId, "interpolate"), 1);
    EXPECT_EQ(uniform<GLint>(model::kLightProgramId, "updatetime"), 3);
    EXPECT_EQ(uniform<GLint>(model::kLightProgramId, "nrLights"), 2);
    EXPECT_EQ(uniform<glm::vec3>(model::kLightProgramId, "ld2"), glm::vec3(4, 5, 6));
    EXPECT_NEAR(uniform<float>(model::kLightProgramId, "energy[1]"), 0.5f, 1e-6);
    // A plain model in view draws with its look's variant.
    plain->setPosition(glm::vec3(0, 0, 0));
    plain->update(0.0);
    plain->setDrawMode(3);
    draw(plain, model::kLightProgramId);
    EXPECT_EQ(uniform<GLint>(plainId, "mode"), 3);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
