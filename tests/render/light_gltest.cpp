#include "collection/environment_map.h"
#include "collection/shader_collection.h"
#include "render/light.h"
#include "support/gl_context.h"
#include "support/test_shaders.h"
#include "support/tga_writer.h"

#include <gtest/gtest.h>

TEST(LightEnvironmentMap, BindsTheCubeOnUnitOneForTheProgram) {
    testsupport::requireGLContext();
    testfiles::WorkingFolder folder;
    folder.writeProgram("all", testfiles::kAllNamesVertex, testfiles::kAllNamesFragment);
    auto* shaders = collection::ShaderCollection::getInstance();
    for (int id = 0; id < collection::ShaderCollection::kProgramCount; ++id) {
        shaders->addProgram(id, "all");
    }
    shaders->locateVariables();
    const std::vector<std::uint8_t> pixels(2 * 2 * 3, 50);
    for (const char* face : {"_right", "_left", "_top", "_bottom", "_front", "_back"}) {
        folder.dir.write(std::string("Sprites/space") + face + ".tga",
                         testfiles::tgaImage(2, 2, 3, pixels));
    }
    collection::EnvironmentMap map("Sprites/space");
    Light::getInstance()->setEnvironmentTexture(map.getCubeTexture());
    glActiveTexture(GL_TEXTURE0);

    ShaderProgram* light = shaders->getProgram(2);
    Light::getInstance()->bindEnvironmentMap(light);

    EXPECT_EQ(testsupport::glInteger(GL_ACTIVE_TEXTURE), GL_TEXTURE1);
    EXPECT_EQ(static_cast<GLuint>(testsupport::glInteger(GL_TEXTURE_BINDING_CUBE_MAP)),
              map.getCubeTexture());
    GLint unit = -1;
    glGetUniformiv(light->getProgramId(), light->getUniformLocation("envMap"), &unit);
    EXPECT_EQ(unit, 1);
    EXPECT_EQ(testsupport::glInteger(GL_CURRENT_PROGRAM), 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    glActiveTexture(GL_TEXTURE0);
    collection::ShaderCollection::destroyInstance();
    Light::destroyInstance();
}
