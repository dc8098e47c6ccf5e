#include "app/shader_setup.h"

#include "collection/shader_collection.h"
#include "model/light_looks.h"

#include <array>
#include <vector>

namespace {

using collection::ShaderCollection;
using collection::UniformSlot;

constexpr std::array<const char*, ShaderCollection::kProgramCount> kProgramNames{
    "lightshaft", "minimal", "light", "ps", "bloom", "picker", "lensflare", "font", "mblur"};

// Texture units of the "light" program's samplers: the environment map on 1,
// the specular and normal levels of the models that have them on 2 and 3.
constexpr GLint kEnvironmentUnit = 1;
constexpr GLint kSpecularUnit = 2;
constexpr GLint kNormalUnit = 3;

void presetLightSamplers() {
    ShaderCollection* shaders = ShaderCollection::getInstance();
    std::vector<ShaderProgram*> programs = shaders->variantsOf(LightProgram);
    programs.push_back(programById(LightProgram));
    for (const ShaderProgram* program : programs) {
        const collection::UniformRow& uniforms = shaders->uniforms(program->getId());
        glUseProgram(program->getProgramId());
        glUniform1i(uniforms[UniformSlot::envMap], kEnvironmentUnit);
        glUniform1i(uniforms[UniformSlot::tex1], kSpecularUnit);
        glUniform1i(uniforms[UniformSlot::tex2], kNormalUnit);
    }
    glUseProgram(0);
}

} // namespace

void initShaders() {
    ShaderCollection* shaders = ShaderCollection::getInstance();
    for (int id = 0; id < ShaderCollection::kProgramCount; ++id) {
        shaders->addProgram(id, kProgramNames[id]);
    }
    shaders->addVariant(BloomProgram, GlowAndSceneVariant, "#define GLOW_AND_SCENE\n");
    static_assert(model::kLightProgramId == LightProgram);
    for (int key = 0; key < model::kLightLookCount; ++key) {
        if (model::lightLookDrawn(key)) {
            shaders->addVariant(LightProgram, key, model::lightLookDefines(key));
        }
    }
    shaders->locateVariables();
    presetLightSamplers();
}

ShaderProgram* programById(ProgramId id) {
    return collection::ShaderCollection::getInstance()->getProgram(id);
}
